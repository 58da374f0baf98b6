#include "mbus/decode/UMBusScanData.h"

#include <ctime>
#include <mutex>

void TSlave_wMBus::Cancel_Var()
{
    while (!List_Var.empty()) List_Var.pop_back();
}

TSlave_MBus* Wired_Slave_At(TSlaveList& List, int Index)
{
    if (Index < 0 || Index >= static_cast<int>(List.Items.size())) return nullptr;
    return dynamic_cast<TSlave_MBus*>(List.Items[static_cast<size_t>(Index)].get());
}

TSlave_wMBus* Wireless_Slave_At(TSlaveList& List, int Index)
{
    if (Index < 0 || Index >= static_cast<int>(List.Items.size())) return nullptr;
    return dynamic_cast<TSlave_wMBus*>(List.Items[static_cast<size_t>(Index)].get());
}

int Find_Wireless_Slave(TSlaveList& Locked_List, uint16_t Manufacturer, int32_t Address, uint8_t Version,
                        uint8_t DeviceType)
{
    for (size_t i = 0; i < Locked_List.Items.size(); ++i) {
        const auto* m = dynamic_cast<const TSlave_wMBus*>(Locked_List.Items[i].get());
        if (m && m->ALA_Manufacturer == Manufacturer && m->ALA_Address == Address && m->ALA_Version == Version &&
            m->ALA_DeviceType == DeviceType)
            return static_cast<int>(i);
    }
    return -1;
}

int Find_Wireless_Slave(uint16_t Manufacturer, int32_t Address, uint8_t Version, uint8_t DeviceType)
{
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    return Find_Wireless_Slave(List_Slave_wMBus, Manufacturer, Address, Version, DeviceType);
}

void Empty_Slave_MBus_List()
{
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    auto& items = List_Slave_MBus.Items;
    while (!items.empty()) {
        if (auto* s = dynamic_cast<TSlave_MBus*>(items.back().get()))
            while (!s->List_Var.empty()) s->List_Var.pop_back();
        items.pop_back();
    }
}

void Empty_Slave_wMBus_List()
{
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    auto& items = List_Slave_wMBus.Items;
    while (!items.empty()) {
        if (auto* m = dynamic_cast<TSlave_wMBus*>(items.back().get())) m->Cancel_Var();
        items.pop_back();
    }
}

TDateTime MBus_Now()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, 0);
}
