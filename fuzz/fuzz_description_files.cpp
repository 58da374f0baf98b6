// The description-file writers over a configuration folder copied from anywhere: the
// input holds ParGen.xml, BACnet_Slave_SetAccess.xml, PDO_CANopen.xml,
// SDO_Server_CANopen.xml and SNMP_Trap.xml in this order, separated by a line "---8<---";
// a file the input does not reach is missing. Each writer either refuses the folder with
// an error the application can show, or writes a whole file that keeps its own form:
// CR LF line ends, one column count per EDE object line, no section twice in the EDS,
// a GSDML that reads back as XML with the station name it was given.
#include <set>

#include "devdesc/UDevDescFile.h"
#include "devdesc/ede/UBACnet_EDE_File.h"
#include "devdesc/eds/UEds.h"
#include "devdesc/gsdml/UProfinetXML.h"
#include "devdesc/mib/USNMP_MIB.h"
#include "fuzz/FuzzCommon.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"

namespace {

// The lines of a written file; Whole: no line may hold a CR or LF of its own.
std::vector<std::string> Lines_Of(const std::string& Text, const char* Which, bool Whole = true)
{
    fuzz::Check(Text.size() >= 2 && Text.compare(Text.size() - 2, 2, "\r\n") == 0, "the file ends with CR LF", Which);
    std::vector<std::string> Lines;
    size_t Start = 0;
    for (size_t End; (End = Text.find("\r\n", Start)) != std::string::npos; Start = End + 2) {
        Lines.push_back(Text.substr(Start, End - Start));
        fuzz::Check(!Whole || Lines.back().find_first_of("\r\n") == std::string::npos,
                    "no lone CR or LF inside a line", fuzz::Printable(Lines.back()));
    }
    return Lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const TDateTime Fixed = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    Description_Clock = [Fixed] { return Fixed; };
    const String Folder = fuzz::Scratch_Folder();
    Project_Name = "P";
    Project_Path = Folder;
    FileName_ParGen = PathJoin(Folder, "ParGen.xml");
    FileName_BACnet_Slave_SetAccess = PathJoin(Folder, "BACnet_Slave_SetAccess.xml");
    FileName_PDO_CANopen = PathJoin(Folder, "PDO_CANopen.xml");
    FileName_SDO_Server_CANopen = PathJoin(Folder, "SDO_Server_CANopen.xml");
    FileName_SNMP_Trap = PathJoin(Folder, "SNMP_Trap.xml");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::vector<fuzz::TPart> Parts = fuzz::Split_Parts(fuzz::Bytes(Data, Size), 5);
    fuzz::Put_File(FileName_ParGen, Parts[0]);
    fuzz::Put_File(FileName_BACnet_Slave_SetAccess, Parts[1]);
    fuzz::Put_File(FileName_PDO_CANopen, Parts[2]);
    fuzz::Put_File(FileName_SDO_Server_CANopen, Parts[3]);
    fuzz::Put_File(FileName_SNMP_Trap, Parts[4]);
    const String Out = PathJoin(fuzz::Scratch_Folder(), "out");

    try {
        Create_EDE_File(Out);
        const auto Lines = Lines_Of(ReadFileBytes(Out), "EDE");
        fuzz::Check(Lines.size() >= 7, "the EDE file has its header");
        for (size_t i = 7; i < Lines.size(); ++i)
            fuzz::Check(std::count(Lines[i].begin(), Lines[i].end(), ';') == 7, "an EDE object line has seven columns",
                        fuzz::Printable(Lines[i]));
    } catch (const Exception&) {
    }
    fuzz::Check(EDE_Object_List == nullptr, "the EDE object list is released");

    try {
        Build_CANopen_EDS(Out);
        std::set<std::string> Sections;
        for (const std::string& l : Lines_Of(ReadFileBytes(Out), "EDS"))
            if (!l.empty() && l[0] == '[') fuzz::Check(Sections.insert(UpperCase(l)).second, "no EDS section twice", l);
    } catch (const Exception&) {
    }

    bool Gsdml_Written = true;
    try {
        Write_GSDML_File(Out);
    } catch (const Exception&) {
        Gsdml_Written = false;   // ParGen.xml refused
    }
    if (Gsdml_Written) {
        const std::string Text = ReadFileBytes(Out);
        fuzz::Check(Text.compare(0, 3, "\xEF\xBB\xBF") == 0, "the GSDML starts with its byte-order mark");
        Lines_Of(Text, "GSDML");
        try {
            TXMLDocument Doc;
            Doc.LoadFromXML(std::string_view(Text).substr(3), "GSDML");
            TXMLNode n = Doc.DocumentElement().ChildNode("ProfileBody").ChildNode("ApplicationProcess");
            n = n.ChildNode("DeviceAccessPointList").ChildNode("DeviceAccessPointItem");
            bool Control = false;
            for (unsigned char c : GSDML_Station_Name)
                Control = Control || (c < 0x20 && c != '\t' && c != '\n' && c != '\r');
            fuzz::Check(Control || n.Attribute("ImplementationType") == GSDML_Station_Name,
                        "the station name reads back as given", fuzz::Printable(GSDML_Station_Name));
        } catch (const Exception& E) {
            fuzz::Fail("the written GSDML is XML", E.what());
        }
    }

    try {
        Load_MIB_Variables();
        Write_MIB_File(Out);
        // Names are written as given, line breaks included.
        bool Breaks = false;
        for (const TStringList* l : {&MIB_Read_Names, &MIB_Write_Names})
            for (int i = 0; i < l->Count(); ++i) Breaks = Breaks || (*l)[i].find_first_of("\r\n") != std::string::npos;
        const auto Lines = Lines_Of(ReadFileBytes(Out), "MIB", !Breaks);
        fuzz::Check(Breaks || Lines.size() == size_t(56 + 2 * MIB_Read_Names.Count() + MIB_Write_Names.Count()),
                    "one MIB line per variable and trap");
    } catch (const Exception&) {
    }
    DeleteFile(Out);
    return 0;
}
