// The files of the MQTT, S7 and SNMP editors as another PC or an older version wrote them,
// read as the editors read them at a showing: MQTT_Set_Topic.xml (templates over several
// lines, attributes that are required), S7_Protocol.xml (nearly every attribute
// required), SNMP_Manager.xml (rows straight under the root) and SNMP_Trap.xml (the file
// the MIB writer reads too). Each input goes to all four. A file refused is refused with
// one of our errors; a file taken is written whole and reads back to the very same file.
#include "editors/network/UMQTT_Set_Topic_Desc.h"
#include "editors/network/US7_Protocol_Set_Access_Desc.h"
#include "editors/network/USNMPManagerAccess_Desc.h"
#include "editors/network/USNMP_Trap_Access_Desc.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

// Kept for the whole run (as the other targets keep theirs), so nothing is freed at exit.
fuzz::TTables* Tables[4] = {};

fuzz::TTables* Make(TEditorDesc Desc)
{
    TEditorContext Context;
    if (Desc.Read_Context) Desc.Read_Context(Context);
    return new fuzz::TTables(std::move(Desc), Context);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    Tables[0] = Make(MQTT_Set_Topic_Desc());
    Tables[1] = Make(S7_Protocol_Set_Access_Desc());
    Tables[2] = Make(SNMPManagerAccess_Desc());
    Tables[3] = Make(SNMP_Trap_Access_Desc());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view Input = fuzz::Bytes(Data, Size);
    for (fuzz::TTables* t : Tables) t->Run(Input, "Network_Tables.xml");
    return 0;
}
