#include "devdesc/mib/USNMP_MIB.h"

#include <vector>

#include "devdesc/UDevDescFile.h"
#include "devdesc/UMaker.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/ULanguage.h"

std::array<std::array<bool, MIB_Max_Rows>, 2> MIB_Int_Flags{};

namespace {

void Load_Section(const TXMLNode& Section, TStringList& Names, std::array<bool, MIB_Max_Rows>& Flags)
{
    for (const TXMLNode& Row : Section.ChildNodes()) {
        if (Names.Count() == MIB_Max_Rows) break;
        if (UpperCase(Row.AttributeDef("Enable", "")) != "Y") continue;
        Flags[size_t(Names.Count())] = UpperCase(Row.AttributeDef("Type", "")) == "INT";
        Names.Add(Row.AttributeDef("Description", ""));
    }
}

void Variables(std::vector<String>& o, const TStringList& Names, const std::array<bool, MIB_Max_Rows>& Flags,
               const char* Unnamed, const char* Access, const char* Index, bool Traps)
{
    for (int k = 0; k < Names.Count(); ++k) {
        const String i = IntToStr(k + 1);
        const String& D = Names[k];
        const String Name = Traps ? "trapval" + i : D.empty() ? Unnamed + i : D;
        const String Kind = Traps ? " NOTIFICATION-TYPE SYNTAX " : " OBJECT-TYPE SYNTAX ";
        o.push_back(Name + Kind + (Flags[size_t(k)] ? "INTEGER" : "OCTET STRING") + " MAX-ACCESS " + Access +
                    " STATUS current DESCRIPTION \"" + D + "\"" + Index + i + " }");
    }
}

void Blocks(std::vector<String>& o, const String& Buffer, const char* Access)
{
    for (int b = 1; b <= 8; ++b) {
        const String n = IntToStr(b);
        o.push_back(Buffer + "blk" + n + " OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS " + Access +
                    " STATUS current DESCRIPTION \"data block n." + n + "\" ::= { " + Buffer + " " + n + " }");
    }
}

}  // namespace

void Create_MIB_File()
{
    if (!FDuvazaradFirmWare) return;   // the dialog is the main window's
    TSaveDialog* Dialog = FDuvazaradFirmWare->SaveMIB;
    Dialog->SetInitialDir(Project_Path);
    if (!Dialog->Execute()) return;
    const String Name = Dialog->FileName();
    if (FileExists(Name) && MessageDlg(Lang_Text(1105), mtConfirmation, mbYesNo, 0) != mrYes) return;
    Load_MIB_Variables();
    Write_MIB_File(Name);
}

void Load_MIB_Variables()
{
    MIB_Read_Names.Clear();
    MIB_Write_Names.Clear();
    if (!FileExists(FileName_SNMP_Trap)) return;
    TXMLDocument XML;
    XML.LoadFromFile(FileName_SNMP_Trap);
    const TXMLNode Root = XML.DocumentElement();
    const TXMLNode Read = Root.ChildNode("SNMP_Trap_Read");
    const TXMLNode Write = Root.ChildNode("SNMP_Trap_Write");
    Load_Section(Read, MIB_Read_Names, MIB_Int_Flags[0]);
    Load_Section(Write, MIB_Write_Names, MIB_Int_Flags[1]);
}

void Write_MIB_File(const String& FileName)
{
    using namespace Maker;
    std::vector<String> o = {
        "GATEWAY DEFINITIONS ::= BEGIN",
        "IMPORTS",
        "       MODULE-IDENTITY,OBJECT-TYPE",
        "         FROM SNMPv2-SMI",
        "         DisplayString, TimeStamp",
        "         FROM SNMPv2-TC",
        "         enterprises",
        "         FROM RFC1155-SMI;",
        "",
        "identity MODULE-IDENTITY",
        "    LAST-UPDATED \"201701310000Z\"",
        String("    ORGANIZATION \"") + Web_Address + "\"",
        "    CONTACT-INFO",
        String("\t \"") + Street,
        String("    ") + Postal_Code + " " + Town + " (" + Province + ")",
        "    " + UpperCase(Country),
        String("    email:    ") + Mail_Domain + "\"",
        "    DESCRIPTION",
        "\t\"MIB objects for agent module \"",
        "    REVISION     \"201701310000Z\"",
        "    DESCRIPTION",
        "\t\"Corrected notification \"",
        "    REVISION     \"200202060000Z\"",
        "    DESCRIPTION",
        "\t\"First draft\"",
        "    ::= { zodudo 2 }",
        "zodudo          OBJECT IDENTIFIER ::= { enterprises " + IntToStr(Enterprise_Number) + " }",
        "gateway OBJECT IDENTIFIER::= { zodudo 1 }",
        "application OBJECT IDENTIFIER::= { gateway 1 }",
        "data OBJECT IDENTIFIER::= { application 1 }",
        "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}",
        "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}",
        "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}",
        "bufferin OBJECT IDENTIFIER::= { data 4 }",
    };
    Blocks(o, "bufferin", "read-only");
    o.emplace_back(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
    Variables(o, MIB_Read_Names, MIB_Int_Flags[0], "bufferinval", "read-only", " ::= { bufferinval ", false);
    o.emplace_back("bufferout OBJECT IDENTIFIER::= { data 5 }");
    Blocks(o, "bufferout", "read-write");
    o.emplace_back(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
    Variables(o, MIB_Write_Names, MIB_Int_Flags[1], "bufferoutval", "read-write", " ::= { bufferoutval ", false);
    o.emplace_back("traps OBJECT IDENTIFIER::= { application 2 }");
    o.emplace_back(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    Variables(o, MIB_Read_Names, MIB_Int_Flags[0], "", "read-only", " ::= { trapsval ", true);
    o.emplace_back("END");
    Write_Ansi_Lines(FileName, o);
}
