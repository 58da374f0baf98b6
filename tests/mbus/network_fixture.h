#pragma once
// Networks for the network-file, check and scan-writer suites: a wired and a wireless
// meter with every field set to a value of its own, and a folder per test.
#include <gtest/gtest.h>

#include "mbus/network/UMeter_Bus.h"
#include "tests/common/TestFolder.h"

inline std::unique_ptr<TVariabile> Var(const String& Desc, int32_t Reg, bool Enable = true)
{
    auto v = std::make_unique<TVariabile>();
    v->Enable = Enable;
    v->Description = Desc;
    v->PositionData = Reg;
    v->Position = 1;
    return v;
}

inline std::unique_ptr<TNodo> Wired_Node(const String& Desc, int32_t Pri, uint8_t Enable = 1)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = Enable;
    n->Description = Desc;
    n->MBus_Type = 1;
    n->Node_Pri = Pri;
    n->Node_Sec = 1;
    return n;
}

inline std::unique_ptr<TNodo> Wireless_Node(const String& Desc, const String& Add, uint8_t Enable = 1)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = Enable;
    n->Description = Desc;
    n->MBus_Type = 0;
    n->wMBus_Add = Add;
    return n;
}

// A node with every field away from its default, and two variables likewise.
inline std::unique_ptr<TNodo> Full_Node(uint8_t Type, int Seed)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = 1;
    n->Description = "Meter \"" + IntToStr(Seed) + "\" <&>\nline two";
    n->Node_Pri = 10 + Seed;
    n->Node_Sec = 12345678 + Seed;
    n->Send_SNK = 1;
    n->Reset_App = 1;
    n->Enable_NS = 1;
    n->Node_State = 100 + Seed;
    n->Enable_IN = 1;
    n->Ident_Num = 200 + Seed;
    n->BCDtoINT_IN = 1;
    n->Swap_Ident = 1;
    n->Node_ID_Type = uint8_t(Seed % 2);
    n->Var_List_Type = 1;
    n->Cut_After = 249;
    n->Enable_MS = 1;
    n->Manufacturer_Spec = 300 + Seed;
    n->MSD_Length = 200;
    n->MSD_Offset = 41;
    n->MBus_Type = Type;
    n->wMBus_ManID = "0x" + IntToStr(1000 + Seed);
    n->wMBus_Add = "$87654321";
    n->wMBus_Ver = "255";
    n->wMBus_DevType = " 7";
    n->wMBus_En_Key = 1;
    for (int k = 0; k < 16; ++k) n->wMBus_Key[k] = IntToStr(k * 16 + Seed);
    n->Enable_RSSI = 1;
    n->RSSI = 400 + Seed;
    n->Enable_AN = 1;
    n->Access_Number = 500 + Seed;
    for (int i = 0; i < 2; ++i) {
        auto v = std::make_unique<TVariabile>();
        v->Enable = i == 0;
        v->Description = "Value " + IntToStr(i) + " \u00b0C";
        v->Type_Of_Data = 25 - i;
        v->Function_Field = 3;
        v->Dimension = 7;
        v->Unita = 10;
        v->PositionData = 1536 - i;
        v->Storage_Number = 4294967295u - i;
        v->Tariff = 0xFFFFF;
        v->VIFE = uint8_t(151 + i * 104);   // 151 and 255 (none selected)
        v->BCDtoINT = true;
        v->Length = 191;
        v->VIF_ASCII = "kWh\tx";
        v->Conv_Float = true;
        v->Force_Int32 = true;
        v->TP_Mod_Regs = true;
        v->TP_Mod_Year = 59995;
        v->Position = 512;
        v->Post_Operation = 12;
        n->Var_List.push_back(std::move(v));
    }
    return n;
}
