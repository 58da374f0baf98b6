// The files of the CAN-based editors as another PC or an older version wrote them, read as
// the editors read them at a showing: CAN_Send_Frames.xml (missing attributes taken from
// the window's presets), J1939_Send_Frames.xml (the earlier one-attribute sending mode,
// a size that is present but empty) and PDO_CANopen.xml (two sections, every attribute
// required). Each input goes to all three. A file refused is refused with one of our
// errors; a file taken is written whole and reads back to the very same file.
#include "editors/fieldbus/UCANopen_Desc.h"
#include "editors/fieldbus/UTransmitCAN_Desc.h"
#include "editors/fieldbus/UTransmitJ1939_Desc.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

// Kept for the whole run (as the other targets keep theirs), so nothing is freed at exit.
fuzz::TTables* Tables[3] = {};

fuzz::TTables* Make(TEditorDesc Desc)
{
    TEditorContext Context;
    if (Desc.Read_Context) Desc.Read_Context(Context);
    // Presets other than the defaults, so a missing attribute takes a value of its own.
    Context.Numbers[TransmitCAN::CAN_Type] = 1;
    Context.Numbers[TransmitCAN::Send_Type] = 1;
    Context.Numbers[TransmitCAN::Send_Time] = 250;
    return new fuzz::TTables(std::move(Desc), Context);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    Tables[0] = Make(TransmitCAN_Desc());
    Tables[1] = Make(TransmitJ1939_Desc());
    Tables[2] = Make(Set_PDO_Access_Desc());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view Input = fuzz::Bytes(Data, Size);
    for (fuzz::TTables* t : Tables) t->Run(Input, "CAN_Tables.xml");
    return 0;
}
