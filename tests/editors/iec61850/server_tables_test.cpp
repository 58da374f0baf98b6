// The server variables and known certificates editors: their checks and files in memory,
// and their windows driven like a user.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/network/iec61850/UIEC61850_Variables.h"
#include "editors/network/iec61850/UTLS_Server_Known_Cert.h"
#include "grid/columns/ExtColumnGrid.h"
#include "grid/core/ExtGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"
#include "tests/common/memory_tables.h"

namespace {

TEditorContext Showing()
{
    TEditorContext c;
    c.Numbers[IEC61850_Variables::NByte_IN_Number] = IEC61850_Variables::NByte_IN;
    return c;
}

// A variable that passes every check in row r.
void Good_Variable(TMemoryTables& T, int Row)
{
    using namespace IEC61850_Variables;
    T.Set(0, Row, {{Col_Name, "V"}, {Col_Type, "Int"}, {Col_Length, "4"}, {Col_Position, "10"},
                   {Col_Conversion, "None"}, {Col_MultiplicationFactor, "None"}});
}

}  // namespace

TEST(IEC61850_Variables_Checks, EachRuleFailsWithItsTextAndTheFirstFailingRowDecides)
{
    using namespace IEC61850_Variables;
    Load_Default_Texts();
    const String E = "Error row 1";
    const struct {
        std::vector<std::pair<int, const char*>> Cells;
        String Expected;   // empty: passes
    } cases[] = {
        {{}, ""},
        {{{Col_Length, "0"}}, E + Lang_Text(5041)},
        {{{Col_Length, "5"}}, E + Lang_Text(5041)},
        {{{Col_Length, ""}}, E + Lang_Text(5041)},
        {{{Col_Length, "1"}}, ""},
        {{{Col_Position, "0"}}, ""},
        {{{Col_Position, "1437"}}, ""},
        {{{Col_Position, "1438"}}, E + "!! Position must be between 0 and 1437"},
        {{{Col_Position, "-1"}}, E + "!! Position must be between 0 and 1437"},
        {{{Col_Position, ""}}, E + "!! Position must be between 0 and 1437"},
        {{{Col_Type, "Digital (Bit)"}}, E + Lang_Text(5038)},
        {{{Col_Type, "Digital (Bit)"}, {Col_StartBit, "3"}}, ""},
        {{{Col_Type, "digital (bit)"}}, ""},   // another spelling is not the bit type
        {{{Col_Conversion, " "}}, E + Lang_Text(5039)},
        {{{Col_MultiplicationFactor, " none "}}, ""},
        {{{Col_MultiplicationFactor, "NONE"}}, ""},
        {{{Col_MultiplicationFactor, "1.5"}}, ""},
        {{{Col_MultiplicationFactor, "1,5"}}, ""},
        {{{Col_MultiplicationFactor, "abc"}}, E + Lang_Text(5040)},
        {{{Col_MultiplicationFactor, ""}}, E + Lang_Text(5040)},
        {{{Col_Enable, "N"}, {Col_Length, "9"}}, ""},   // a disabled row is not checked
    };
    for (const auto& c : cases) {
        TMemoryTables T(IEC61850_Variables_Desc(), Showing());
        Good_Variable(T, 1);
        for (const auto& [col, text] : c.Cells) T.Set(0, 1, {{col, text}});
        EXPECT_EQ(T.Check(), c.Expected) << (c.Cells.empty() ? "" : c.Cells[0].second);
    }
    // Position 1438 in row 7 names row 7; a row without a name is left out of the checks
    // (the table's rows close up over it, so the rows below it still count).
    TMemoryTables T(IEC61850_Variables_Desc(), Showing());
    for (int r = 1; r <= 7; ++r) Good_Variable(T, r);
    T.Set(0, 7, {{Col_Position, "1438"}});
    T.Set(0, 5, {{Col_Name, "  "}, {Col_Length, "0"}});
    EXPECT_EQ(T.Check(), "Error row 7!! Position must be between 0 and 1437");
}

TEST(IEC61850_Variables_File, RowsAreWrittenAsTypedUpToTheFirstEmptyNameAndReadWithTheirDefaults)
{
    using namespace IEC61850_Variables;
    TMemoryTables T(IEC61850_Variables_Desc(), Showing());
    Good_Variable(T, 1);
    T.Set(0, 1, {{Col_Name, " Temp "}, {Col_Type, "Digital (Bit)"}, {Col_Swap, "Y"}, {Col_Mnemonic, "a\"b"}});
    T.Set(0, 2, {{Col_Enable, "N"}, {Col_Name, "Off"}, {Col_Length, "9"}});
    T.Set(0, 4, {{Col_Name, "Lost"}});
    TXMLDocument Doc;
    Write_Tables(T.Desc, Doc, T.Data);
    const String Xml = Doc.SaveToXML();
    EXPECT_NE(Xml.find("<IEC61850_Variables>\n  <row Enable=\"Y\" Name=\" Temp \" Type=\"Digital (Bit)\" Length=\"4\" "
                       "ReadOnly=\"\" Position=\"10\" StartBit=\"\" Conversion=\"None\" MultiplicationFactor=\"None\" "
                       "Swap=\"Y\" SwapWord=\"\" Mnemonic=\"a&quot;b\"/>"),
              String::npos)
        << Xml;
    EXPECT_NE(Xml.find("<!--SW_VERSION = 1.000-->"), String::npos);
    EXPECT_NE(Xml.find("Name=\"Off\" Type=\"\" Length=\"9\""), String::npos);
    // The row without a name is left out and the rows close up over it.
    EXPECT_NE(Xml.find("Swap=\"\" SwapWord=\"\" Mnemonic=\"\"/>\n  <row Enable=\"Y\" Name=\"Lost\""), String::npos) << Xml;

    // Missing attributes: Enable ticked, the other boxes "N", texts empty; an empty one stays empty.
    TXMLDocument In;
    In.LoadFromXML("<X><row Name=\"A\"/><row Enable=\"\" Name=\"B\" Swap=\"\"/></X>");
    TMemoryTables Back(IEC61850_Variables_Desc(), Showing());
    Load_Tables(Back.Desc, In, "f", Back.Data);
    EXPECT_EQ(Back[0].GetCellEx(Col_Enable, 1), "Y");
    EXPECT_EQ(Back[0].GetCellEx(Col_ReadOnly, 1), "N");
    EXPECT_EQ(Back[0].GetCellEx(Col_SwapWord, 1), "N");
    EXPECT_EQ(Back[0].GetCellEx(Col_Type, 1), "");
    EXPECT_EQ(Back[0].GetCellEx(Col_Enable, 2), "");
    EXPECT_EQ(Back[0].GetCellEx(Col_Swap, 2), "");
}

// ---------------------------------------------------------------------------------
// The windows
// ---------------------------------------------------------------------------------
class Server_Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Dir = Test_Folder("iecsrv");
        FileName_IEC61850_Variables = PathJoin(Dir, "IEC61850_Variables.xml");
        FileName_TLS_Known_Cert = PathJoin(Dir, "TLS_Known_Cert.xml");
    }
    void TearDown() override
    {
        if (V) V->Free();
        if (C) C->Free();
        FileName_IEC61850_Variables.clear();
        FileName_TLS_Known_Cert.clear();
        std::filesystem::remove_all(Dir);
    }
    TFTLS_Server_Known_Cert* Cert_Window()
    {
        if (!C) {
            C = new TFTLS_Server_Known_Cert(nullptr);
            C->AfterConstruction();
        }
        return C;
    }
    TFIEC61850_Variables* Var_Window()
    {
        if (!V) {
            V = new TFIEC61850_Variables(nullptr);
            V->AfterConstruction();
        }
        return V;
    }
    // Shows the window modally; Act works on it like the user, and the message boxes it
    // brings up get Answers in order (each box's text holding the answer's text).
    TModalResult Open(TForm* W, TInteractionScript& Script, const std::function<void()>& Act,
                      std::vector<std::pair<TModalResult, String>> Answers = {})
    {
        Script.OnForm(
            [&](TForm*) {
                Act();
                return mrCancel;
            },
            W->ClassName());
        for (const auto& [Result, Text] : Answers) Script.Answer(Result, Text);
        return W->ShowModal();
    }
    static bool Ticked(TExtStringGrid* G, int Col, int Row)
    {
        bool State = false;
        EXPECT_TRUE(G->GetCheckBoxState(Col, Row, State)) << "row " << Row;
        return State;
    }

    String Dir;
    TFTLS_Server_Known_Cert* C = nullptr;
    TFIEC61850_Variables* V = nullptr;
};

TEST_F(Server_Windows, CertificatesLoadOnlyNAsUntickedAndKeepSeveralLinesThroughOK)
{
    using namespace TLS_Known_Cert;
    WriteFileAtomic(FileName_TLS_Known_Cert,
                    "<Whatever><row Enable=\"n\" Certificate=\"A\" Mnemonic=\"m\"/><row Enable=\"N\" Certificate=\"B\"/>"
                    "<row Certificate=\"C\"/><row Enable=\"\" Certificate=\"   \" Mnemonic=\"after blanks\"/>"
                    "<row Certificate=\"E\"/></Whatever>");
    const String Pem = "-----BEGIN CERTIFICATE-----\r\nMIIBszCCAVmgAwIBAgIU\r\n-----END CERTIFICATE-----";
    TInteractionScript Script;
    Open(Cert_Window(), Script, [&] {
        TExtStringGrid* G = C->ASG;
        EXPECT_TRUE(Ticked(G, Col_Enable, 1));
        EXPECT_FALSE(Ticked(G, Col_Enable, 2));
        EXPECT_TRUE(Ticked(G, Col_Enable, 3));
        EXPECT_TRUE(Ticked(G, Col_Enable, 4));
        EXPECT_EQ(G->GetCellEx(Col_Mnemonic, 1), "m");
        EXPECT_EQ(G->RowHeights(1), Row_Height);
        EXPECT_EQ(G->RowHeights(0), 22);
        G->SetCellEx(Col_Certificate, 1, Pem);
        UserClick(C->Btn_OK);
    });
    EXPECT_EQ(C->ModalResult(), mrOk);
    // The certificate of blanks is left out; the unticked row is saved as "N", "n" as "Y".
    TXMLDocument Doc;
    Doc.LoadFromFile(FileName_TLS_Known_Cert);
    const TXMLNode Root = Doc.DocumentElement();
    EXPECT_EQ(Root.NodeName(), "TLS_Server_Known_Cert");
    ASSERT_EQ(Root.ChildCount(), 4);
    EXPECT_EQ(Root.Child(3).Attribute("Certificate"), "E");
    EXPECT_EQ(Root.Child(0).Attribute("Enable"), "Y");
    EXPECT_EQ(Root.Child(0).Attribute("Certificate"), Pem);
    EXPECT_EQ(Root.Child(1).Attribute("Enable"), "N");

    TInteractionScript Again;
    Open(C, Again, [&] { EXPECT_EQ(C->ASG->GetCellEx(Col_Certificate, 1), Pem); });
}

TEST_F(Server_Windows, ReadOnlyMarksOfDeleteRowGoWithInsertRowAndWithTheNextShowing)
{
    using namespace TLS_Known_Cert;
    String Rows_Xml = "<TLS_Server_Known_Cert>";
    for (int r = 1; r <= Rows; ++r) Rows_Xml += "<row Enable=\"N\" Certificate=\"C" + IntToStr(r) + "\"/>";
    WriteFileAtomic(FileName_TLS_Known_Cert, Rows_Xml + "</TLS_Server_Known_Cert>");
    TInteractionScript Script;
    Open(Cert_Window(), Script, [&] {
        TExtStringGrid* G = C->ASG;
        G->SetRow(3);
        UserClick(C->Btn_DelRow);
        EXPECT_EQ(G->GetCellEx(Col_Certificate, 3), "C4");
        EXPECT_EQ(G->GetCellEx(Col_Certificate, 10), "");
        EXPECT_TRUE(Ticked(G, Col_Enable, 10));
        EXPECT_TRUE(G->GetReadOnly(Col_Certificate, 10));
        G->SetRow(1);
        UserClick(C->Btn_InsRow);
        EXPECT_FALSE(G->GetReadOnly(Col_Certificate, 1));
        EXPECT_FALSE(G->GetReadOnly(Col_Certificate, 10));
        // Delete again and leave: the next showing must not keep the lock.
        Script.Answer(mrYes);
        UserClick(C->Btn_DelRow);
        EXPECT_TRUE(G->GetReadOnly(Col_Mnemonic, 10));
    }, {{mrYes, "Are you sure to delete the Row number 3"}});
    EXPECT_EQ(Script.Problems(), "");
    TInteractionScript Again;
    Open(C, Again, [&] {
        for (int c = Col_Enable; c < Col_Count; ++c) EXPECT_FALSE(C->ASG->GetReadOnly(c, 10)) << c;
        TBitmap Png;
        ASSERT_TRUE(SNAPSHOT(C, "tls_known_cert.png", Png));
    });
}

TEST_F(Server_Windows, PasteWithoutCopyAndOverAUsedCertificateAsk)
{
    using namespace TLS_Known_Cert;
    TInteractionScript Script;
    Open(Cert_Window(), Script, [&] {
        TExtStringGrid* G = C->ASG;
        G->SetRow(2);
        UserClick(C->Btn_PasteRow);
        G->SetCellEx(Col_Certificate, 1, "X");
        G->SetRow(1);
        UserClick(C->Btn_CopyRow);
        G->SetRow(2);
        G->SetCellEx(Col_Mnemonic, 2, " ");   // blanks count as text here
        UserClick(C->Btn_PasteRow);
        EXPECT_EQ(G->GetCellEx(Col_Certificate, 2), "");
        G->SetRow(3);
        UserClick(C->Btn_PasteRow);
        EXPECT_EQ(G->GetCellEx(Col_Certificate, 3), "X");
    }, {{mrOk, Lang_Text(1102)}, {mrNo, Lang_Text(1100)}});
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Server_Windows, VariablesWindowChecksOnOKAndShowsItsTable)
{
    using namespace IEC61850_Variables;
    TInteractionScript Script;
    Open(Var_Window(), Script, [&] {
        TExtColumnGrid* G = V->ACG;
        EXPECT_EQ(V->NByte_IN(), 1438);
        EXPECT_EQ(G->RowCount(), 51);
        EXPECT_EQ(G->GetCellEx(Col_Enable, 50), "Y");
        G->SetRow(1);
        UserClick(V->Btn_PasteRow);
        G->SetCellEx(Col_Name, 1, "Temperature");
        G->SetCellEx(Col_Type, 1, "Float");
        UserClick(V->Btn_OK);
        TBitmap Png;
        ASSERT_TRUE(SNAPSHOT(V, "iec61850_variables.png", Png));
    }, {{mrOk, Lang_Text(1102)}, {mrOk, "Error row 1" + Lang_Text(5041)}});
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_FALSE(FileExists(FileName_IEC61850_Variables));
}
