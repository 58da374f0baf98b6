#include "platform/rtl/Resources.h"

#include <map>
#include <mutex>

namespace {
std::mutex gLock;

std::map<String, std::vector<uint8_t>>& Table()
{
    static std::map<String, std::vector<uint8_t>> t;
    return t;
}
}

void RegisterResourceData(const String& Name, const std::vector<uint8_t>& Data)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (Data.empty()) Table().erase(UpperCase(Name));
    else Table()[UpperCase(Name)] = Data;
}

const std::vector<uint8_t>* FindResourceData(const String& Name)
{
    std::lock_guard<std::mutex> lock(gLock);
    auto it = Table().find(UpperCase(Name));
    return it == Table().end() ? nullptr : &it->second;
}
