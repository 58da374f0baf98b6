// DNETM_DefOff.xml as another PC, an older version or a hand wrote it, read as the
// DeviceNet offset window reads it at a showing, over a fixed network of three slaves. A
// file it refuses is refused with one of our errors; whatever was read passes the output
// check without harm (any offset text), and a file that loads is written and reads back
// to the very same file.
#include "editors/fieldbus/UDefOffset_Data.h"
#include "fuzz/FuzzCommon.h"
#include "shell/ULanguage.h"

namespace {

const char* const Network = "<DNET_Net><row ID=\"5\" NB_IN=\"2\" NB_OUT=\"1\" Mnemonic=\"a\"/>"
                            "<row ID=\"9\" NB_IN=\"0\" NB_OUT=\"4\" Mnemonic=\"b\"/>"
                            "<row ID=\"63\" NB_IN=\"3\" NB_OUT=\"3\" Mnemonic=\"c\"/></DNET_Net>";

// The slaves with the offsets file read over them; false when the file was refused.
bool Load(TDefOffset_Data& Data, const String& File)
{
    TXMLDocument Doc;
    Doc.LoadFromXML(Network);
    Data.Load_Slave_DN(Doc, "DNETM_Net.xml");
    try {
        Doc.LoadFromFile(File);
        Data.Load_Offset_Slave_DN(Doc, File);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

String Written(const TDefOffset_Data& Data)
{
    TXMLDocument Doc;
    Data.Save_Offset_Slave_DN(Doc);
    return Doc.SaveToXML();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Bytes, size_t Size)
{
    const String File = PathJoin(fuzz::Scratch_Folder(), "DNETM_DefOff.xml");
    WriteFileAtomic(File, fuzz::Bytes(Bytes, Size));
    TDefOffset_Data Data;
    const bool Loaded = Load(Data, File);
    // What was read before a refusal stays in the window, and OK checks it.
    (void)Data.Check_Data();
    if (!Loaded) return 0;
    const String First = Written(Data);
    WriteFileAtomic(File, First);
    TDefOffset_Data Again;
    if (!Load(Again, File)) fuzz::Fail("the written file loads again", fuzz::Printable(First));
    const String Second = Written(Again);
    fuzz::Check(First == Second, "write -> load -> write gives the same bytes",
                fuzz::Printable(First) + "\n*** " + fuzz::Printable(Second));
    return 0;
}
