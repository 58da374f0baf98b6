// M_Bus.xml as another PC, an older version or a scan wrote it, read as the network editor
// reads it. Reading never raises: a file read only in part keeps what was read and says
// why. A network that was read, written again and read back is the very same file, and
// it passes the register test without faults whatever its numbers.
#include "fuzz/FuzzCommon.h"
#include "mbus/network/MBusChecks.h"
#include "mbus/network/UMeter_Bus.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMBusNetwork net;
    net.Load_XML(fuzz::Bytes(Data, Size));
    if (net.Read_In_Part()) {
        // Whatever was read stays, but cannot be saved over the file by accident.
        try {
            net.Save(fuzz::Scratch_Folder() + "/M_Bus.xml");
            fuzz::Fail("a partly read network was saved without consent");
        } catch (const EMBusNetworkError&) {
        }
    }
    const std::string once = net.Save_XML();
    TMBusNetwork back;
    back.Load_XML(once);
    fuzz::Check(!back.Read_In_Part(), "a written network reads back whole", back.Read_Error);
    fuzz::Check(back.Nodi_List.size() == net.Nodi_List.size(), "as many nodes");
    fuzz::Check(back.Save_XML() == once, "written again, the same file", fuzz::Printable(once));

    // The register test over the nodes read, for the registers the file itself names.
    TMBusMessages messages;
    for (const auto& n : net.Nodi_List)
        for (const auto& v : n->Var_List)
            Check_Registers(net.Nodi_List, {}, v->PositionData, v->TP_Mod_Year, v->TP_Mod_Year, true, messages);
    return 0;
}
