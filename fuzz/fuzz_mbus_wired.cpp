// Wired M-Bus answers and bare data records as the scan decodes them. Every count the
// data holds (DIFEs, VIFEs, unit text and LVAR lengths) must stay inside the bytes given:
// the input lies in a buffer of its exact size, so any read past it is a sanitizer report.
#include <memory>
#include <mutex>
#include <vector>

#include "fuzz/FuzzCommon.h"
#include "mbus/decode/UMBusDecoder.h"

namespace {

void Check_Records(const TVariableList& List, size_t Input_Size)
{
    fuzz::Check(List.size() <= Input_Size + 1, "no more records than bytes");
    for (const auto& r : List) {
        fuzz::Check(r->nbyte >= 0 && r->nbyte <= 191, "data byte count within a record's reach");
        fuzz::Check(r->totdati.size() == size_t(2 * r->nbyte) || r->errata || !r->Real_Wireless_Var,
                    "data text holds the record's bytes");
        fuzz::Check(r->VIF_ASCII.size() <= 192, "plain-text unit capped");
    }
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::vector<uint8_t> input(Data, Data + Size);
    static TMBusDecoder dec;   // kept: it reads the regional settings once a second

    // The bytes as a run of records, wired and wireless.
    for (TMBusType type : {mtWired, mtWireless}) {
        dec.MBusType = type;
        TVariableList list;
        const int r = dec.Decode_Data_Records(list, int(Size) - 1, input);
        fuzz::Check(r == 0 || r == 1, "result 0 or 1");
        Check_Records(list, Size);
    }

    // The bytes as a wired answer: a new slave, then the same answer as its next telegram.
    bool more = false;
    const int index = dec.Add_Wired_Slave_Frame(-1, more, input);
    fuzz::Check(index == (Size >= size_t(MBus_Min_Long_Frame) ? 0 : -1), "a slave for every answer with a header");
    if (index == 0) dec.Add_Wired_Slave_Frame(index, more, input);
    {
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        if (TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, 0)) Check_Records(s->List_Var, 2 * Size);
    }
    Empty_Slave_MBus_List();
    (void)Is_Valid_Long_Frame(input);
    return 0;
}
