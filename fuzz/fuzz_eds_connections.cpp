// EtherNet/IP EDS files as the connection picker reads them: any bytes give a list of
// usable connections, each with its bytes in range and counted from 1.
#include "devdesc/eds/UEtherNetIP_EDS_Read.h"
#include "fuzz/FuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const TConnList L = Read_EDS_Connections(fuzz::Bytes(Data, Size));
    int Index = 0;
    for (const auto& C : L) {
        fuzz::Check(C->ConnIndex == ++Index, "connections are counted from 1 in order");
        fuzz::Check(C->ConnPointOT >= 0 && C->ConnPointOT <= 255 && C->ConnPointTO >= 0 && C->ConnPointTO <= 255,
                    "connection points are path bytes");
        fuzz::Check(C->InstanceOT >= 0 && C->InstanceOT <= 0xFFFFFFFFLL && C->InstanceTO >= 0 &&
                        C->InstanceTO <= 0xFFFFFFFFLL,
                    "instances fit 32 bits");
        fuzz::Check(C->DimHeaderOT >= 0 && C->DimHeaderOT <= 7 && C->DimHeaderTO >= 0 && C->DimHeaderTO <= 7,
                    "header formats are three bits");
    }
    return 0;
}
