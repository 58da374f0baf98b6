#pragma once
// The zip container of the office file formats: read whole into memory (entry names and
// contents in archive order) and written whole. Entry sizes are bounded so a forged
// archive cannot exhaust memory.
#include <string>
#include <utility>
#include <vector>

namespace Office {

struct TZipPackage {
    std::vector<std::pair<std::string, std::string>> Entries;

    // EOfficeError when the file is no zip archive or an entry is too large.
    static TZipPackage Read(const std::string& FileName);
    // The entry's content; false when there is none of that name.
    bool Find(const std::string& Name, std::string& Content) const;
    // Replaces the entry of that name, or appends one.
    void Put(const std::string& Name, std::string Content);
    // Builds the archive in a temporary file beside FileName and renames it over the old
    // one only when all was written (EOfficeError otherwise, the old file untouched).
    void Write(const std::string& FileName) const;
};

// Text of a zip entry held to this size; an office file's parts are far smaller.
constexpr unsigned long long MaxEntrySize = 256ull << 20;

}  // namespace Office
