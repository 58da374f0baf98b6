#pragma once
// SCL texts for the tests: small files written by the tests themselves, built from a few
// building blocks, and one larger file of a realistic bay controller generated in code.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "editors/network/iec61850/UIEC_Client_Decode.h"
#include "platform/os/Files.h"
#include "tests/common/TestFolder.h"

// The usual frame of a file: one IED with one access point and server around Server_Body,
// and the type templates.
inline String SCL_File(const String& IED_Name, const String& Server_Body, const String& Templates)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">"
           "<Header id=\"t\"/><IED name=\"" + IED_Name + "\"><AccessPoint name=\"AP1\"><Server>" + Server_Body +
           "</Server></AccessPoint></IED><DataTypeTemplates>" + Templates + "</DataTypeTemplates></SCL>";
}

// The types of a circuit breaker node: Pos (stVal, q, t, ctlModel Enum, Oper structure),
// Mod, and the LLN0 type with Mod and Beh.
inline String Breaker_Templates()
{
    return "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"INC_T\"/><DO name=\"Beh\" type=\"INS_T\"/></LNodeType>"
           "<LNodeType id=\"XCBR_T\" lnClass=\"XCBR\"><DO name=\"Mod\" type=\"INC_T\"/><DO name=\"Pos\" type=\"DPC_T\"/></LNodeType>"
           "<DOType id=\"INC_T\" cdc=\"INC\"><DA name=\"stVal\" bType=\"INT32\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" fc=\"ST\"/></DOType>"
           "<DOType id=\"INS_T\" cdc=\"INS\"><DA name=\"stVal\" bType=\"INT32\" fc=\"ST\"/></DOType>"
           "<DOType id=\"DPC_T\" cdc=\"DPC\"><DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\"/>"
           "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/>"
           "<DA name=\"ctlModel\" bType=\"Enum\" type=\"CtlModels\" fc=\"CF\"/>"
           "<DA name=\"Oper\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/></DOType>"
           "<DAType id=\"Oper_T\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/><BDA name=\"origin\" bType=\"Struct\" type=\"Orig_T\"/></DAType>"
           "<DAType id=\"Orig_T\"><BDA name=\"orCat\" bType=\"Enum\" type=\"orCat\"/><BDA name=\"orIdent\" bType=\"Octet64\"/></DAType>"
           "<EnumType id=\"CtlModels\"><EnumVal ord=\"0\">status-only</EnumVal></EnumType>";
}

class SCL_Files : public ::testing::Test {
protected:
    void SetUp() override { Dir = Test_Folder("scl"); }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    String Write(const String& Name, const String& Text)
    {
        const String Path = PathJoin(Dir, Name);
        WriteFileAtomic(Path, Text);
        return Path;
    }
    std::unique_ptr<TIEC_Device> Decode(const String& Text, const String& Name = "dev.icd")
    {
        return std::make_unique<TIEC_Device>(Write(Name, Text));
    }

    String Dir;
};

// A bay controller as a tool would export it: LDevices CTRL, PROT and MEAS, each with an
// LLN0 holding data sets and GOOSE control blocks, breakers, switches, protection and
// measurement nodes, and the usual common data classes with structured attributes.
String Realistic_SCL(int Bays);
