// The KNX editor worked as a user works it: the grid's own editors typed into, lists
// picked from, check boxes ticked, real keys and clicks on cells and headers, from the
// main window's step 4 to the image of step 5.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "converter/UBinLayout.h"
#include "converter/UBoot.h"
#include "converter/UParGen.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/UNew_Project.h"
#include "tests/common/program_fixture.h"
#include "tests/common/GridHands.h"
#include "tests/editors/fieldbus/window_fixture.h"

namespace {

using namespace KNX;
using namespace hands;

struct TUserRule {
    const char *Source, *Destination, *APCI, *Priority, *Format, *Factor;
    bool On_Timer;
    const char *Poll_Time, *Position, *Bit_Mode, *Length, *Mnemonic;
};

void Enter_Rule(TExtColumnGrid* G, int r, const TUserRule& u)
{
    Type_Into(G, Col_Source_Address, r, u.Source);
    Type_Into(G, Col_Destination_Address, r, u.Destination);
    Type_Into(G, Col_APCI, r, u.APCI);   // a list that also takes text
    Pick(G, Col_Priority, r, u.Priority);
    Pick(G, Col_Format, r, u.Format);
    if (*u.Factor) Type_Into(G, Col_MultiplicationFactor, r, u.Factor);
    Tick(G, Col_On_Change, r);
    if (u.On_Timer) {
        Tick(G, Col_On_Timer, r);
        Type_Into(G, Col_Poll_Time, r, u.Poll_Time);
    }
    Pick(G, Col_Position, r, u.Position);
    Pick(G, Col_Bit_Mode, r, u.Bit_Mode);
    Type_Into(G, Col_Length, r, u.Length);
    Type_Into(G, Col_TimeOut, r, "0");
    Type_Into(G, Col_Mnemonic, r, u.Mnemonic);
}

// ---------------------------------------------------------------- in the program

class KNXEditorAsUser : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_ParGen_Window, Plug_Boot_Window, Plug_LoRa_Set_Access_Window, Plug_KNX_Access_Window});
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
    }
};

TEST_F(KNXEditorAsUser, ThreeRulesTypedInStepFourReachBankTwo)
{
    TInteractionScript script;
    New_Configuration(script, "Plant 9");
    if (HasFatalFailure()) return;

    const TUserRule rules[] = {
        {"1.1.20", "1/2/3", "Write", "Low", "None", "", false, "", "2", "No", "2", "Hall"},
        {"2.3.4", "5/6/7", "Read", "Urgent", "Swap16", "2", true, "500", "4", "No", "2", "Stairs"},
        {"4660", "31/2047", "Write", "System", "None", "", false, "", "6", "5", "1", "Roof"},
    };
    script.OnForm(
        [&](TForm*) {
            TExtColumnGrid* G = FKNXAccess->ACG_KNX_in_Write;
            UserFocus(G);
            for (int r = 1; r <= 3; ++r) {
                SCOPED_TRACE(r);
                Enter_Rule(G, r, rules[r - 1]);
            }
            UserClick(FKNXAccess->Btn_OK);
            return mrNone;
        },
        "TFKNXAccess");
    UserClick(FDuvazaradFirmWare->Btn_KNX_Access);
    EXPECT_EQ(script.Last()->Result, mrOk) << "OK closes the window once the rules pass";
    EXPECT_EQ(script.Problems(), "");
    ASSERT_TRUE(FileExists(FileName_KNX_SetAccess));

    // Reopened, the typed, picked and ticked cells are all there.
    script.OnForm(
        [&](TForm*) {
            TExtColumnGrid* G = FKNXAccess->ACG_KNX_in_Write;
            for (int r = 1; r <= 3; ++r) {
                const TUserRule& u = rules[r - 1];
                SCOPED_TRACE(r);
                EXPECT_EQ(G->GetCellEx(Col_Source_Address, r), u.Source);
                EXPECT_EQ(G->GetCellEx(Col_Destination_Address, r), u.Destination);
                EXPECT_EQ(G->GetCellEx(Col_APCI, r), u.APCI);
                EXPECT_EQ(G->GetCellEx(Col_Priority, r), u.Priority);
                EXPECT_EQ(G->GetCellEx(Col_Format, r), u.Format);
                EXPECT_EQ(G->GetCellEx(Col_On_Change, r), "Y");
                EXPECT_EQ(G->GetCellEx(Col_On_Timer, r), u.On_Timer ? "Y" : "");   // untouched since the reset
                EXPECT_EQ(G->GetCellEx(Col_Position, r), u.Position);
                EXPECT_EQ(G->GetCellEx(Col_Bit_Mode, r), u.Bit_Mode);
                EXPECT_EQ(G->GetCellEx(Col_Length, r), u.Length);
                EXPECT_EQ(G->GetCellEx(Col_Mnemonic, r), u.Mnemonic);
            }
            EXPECT_EQ(G->GetCellEx(Col_Source_Address, 4), "");
            return mrCancel;
        },
        "TFKNXAccess");
    UserClick(FDuvazaradFirmWare->Btn_KNX_Access);
    EXPECT_EQ(script.Problems(), "");

    // Step 5 builds the images; the update dialog that follows is closed.
    script.FormResult(mrCancel, "TFBoot");
    UserClick(FDuvazaradFirmWare->Btn_CreateBin);
    EXPECT_EQ(script.Problems(), "");
    const String bank2 = ReadFileBytes(PathJoin(Project_Path, "bin/bank2.bin"));
    ASSERT_EQ(bank2.size(), size_t(Bank2_Size));
    auto u8 = [&](size_t at) { return unsigned(uint8_t(bank2[at])); };
    auto u16 = [&](size_t at) { return u8(at) | u8(at + 1) << 8; };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    auto f32 = [&](size_t at) {
        const uint32_t bits = u32(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    };
    const struct {
        unsigned poll, priority, length, flags, apci, source, destination, position;
        float factor;
    } entries[] = {
        {0, 3, 2, KNX_Flag_On_Change | KNX_Flag_Group, 128, 0x1114, 1 * 2048 + 2 * 256 + 3, 2, 1.0f},
        {500, 2, 2, KNX_Flag_On_Change | KNX_Flag_Group | 0x1000, 0, 0x2304, 5 * 2048 + 6 * 256 + 7, 4, 2.0f},
        {0, 0, 1, KNX_Flag_On_Change | KNX_Flag_Group | KNX_Flag_Bit_Mode, 128, 0x1234, 0xFFFF, 6 * 8 + 5, 1.0f},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const size_t e = i * KNX_Entry_Size;
        EXPECT_EQ(u32(e + 0), entries[i].poll);
        EXPECT_EQ(u32(e + 4), 0u);
        EXPECT_EQ(u8(e + 8), entries[i].priority);
        EXPECT_EQ(u8(e + 9), entries[i].length);
        EXPECT_EQ(u16(e + 10), entries[i].flags);
        EXPECT_EQ(u16(e + 12), entries[i].apci);
        EXPECT_EQ(u16(e + 14), entries[i].source);
        EXPECT_EQ(u16(e + 16), entries[i].destination);
        EXPECT_EQ(u16(e + 18), entries[i].position);
        EXPECT_EQ(f32(e + 20), entries[i].factor);
    }
    EXPECT_EQ(u16(3 * KNX_Entry_Size + 14), 0u) << "nothing after the third rule";
    const String bank1 = ReadFileBytes(PathJoin(Project_Path, "bin/bank1.bin"));
    EXPECT_EQ(uint8_t(bank1.at(Bank1_Ofs::KNX_Count)), 3) << "three entries used";
}

// ---------------------------------------------------------------- keys and clicks

class KNXGridAsUser : public EditorWindows {
protected:
    TFKNXAccess* W = nullptr;
    TExtColumnGrid* G = nullptr;
    TInteractionScript Script;

    // Runs Act while the KNX editor is open, the grid focused.
    void With_Window(const std::function<void()>& Act)
    {
        W = KNX_Window();
        G = W->ACG_KNX_in_Write;
        Open(W, Script, [&] {
            UserFocus(G);
            Act();
        });
        EXPECT_EQ(Script.Problems(), "");
    }
    void At(int c, int r) const
    {
        EXPECT_EQ(G->Col(), c);
        EXPECT_EQ(G->Row(), r);
    }
};

TEST_F(KNXGridAsUser, EnterJumpsToTheNextCellAndWrapsToTheFirstRow)
{
    Enable_Jump_Field_Tables = true;
    With_Window([&] {
        // The window hears Enter before the grid: the key is taken and no editor opens.
        std::vector<String> heard;
        TKeyPressEvent window = G->OnKeyPress;
        G->OnKeyPress = [&](TObject* s, WideChar& k) {
            heard.push_back(G->EditorMode() ? "editor open" : "editor closed");
            window(s, k);
        };
        Click(G, Col_Source_Address, 1);
        Key(VK_RETURN);
        At(Col_Destination_Address, 1);
        EXPECT_FALSE(G->EditorMode());
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.front(), "editor closed");
        // A typed value is kept and Enter still moves on.
        Type("1/2/3");
        Key(VK_RETURN);
        EXPECT_EQ(G->GetCellEx(Col_Destination_Address, 1), "1/2/3");
        At(Col_APCI, 1);
        // Tab moves along the row too.
        Key(VK_TAB);
        At(Col_Priority, 1);
        // From the last cell of a row to the first of the next, from the last row to the first.
        Click(G, Col_Mnemonic, 1);
        Key(VK_RETURN);
        At(1, 2);
        G->SetTopRow(Rows - 3);   // the scroll bar to the end
        Pump();
        Click(G, Col_Mnemonic, Rows);
        At(Col_Mnemonic, Rows);
        Key(VK_RETURN);
        At(1, 1);
        G->OnKeyPress = window;
    });
    // Off, Enter opens the editor and stays.
    Enable_Jump_Field_Tables = false;
    With_Window([&] {
        Click(G, Col_Mnemonic, 1);
        Key(VK_RETURN);
        At(Col_Mnemonic, 1);
        EXPECT_TRUE(G->EditorMode());
        Key(VK_ESCAPE);
    });
}

// With the jump option one Enter stores a list cell's value and moves on, as in a text
// cell: whether the item was typed, stepped to with the list closed, or picked in the
// open list (F4 or Alt+Down opens it).
TEST_F(KNXGridAsUser, OneEnterStoresEachCellOfARowAndMovesOn)
{
    Enable_Jump_Field_Tables = true;
    using TKeys = std::vector<std::pair<WORD, TShiftState>>;
    const TKeys closed = {{VK_F2, {}}, {VK_DOWN, {}}, {VK_DOWN, {}}};
    const TKeys open_alt = {{VK_F2, {}}, {VK_DOWN, {ssAlt}}, {VK_DOWN, {}}};
    const TKeys open_f4 = {{VK_F2, {}}, {VK_F4, {}}, {VK_DOWN, {}}};
    const struct {
        int Col;
        const char* Typed;
        TKeys Keys;          // after the typing, before Enter
        bool List_Open;      // the keys left the list open
        const char* Value;   // nullptr: a check box, left as it is
    } steps[] = {
        {Col_Source_Address, "1.1.20", {}, false, "1.1.20"},
        {Col_Destination_Address, "1/2/3", {}, false, "1/2/3"},
        {Col_APCI, "", open_alt, true, "Read"},   // a list that takes text
        {Col_Priority, "u", {}, false, "Urgent"},   // typing picks the item
        {Col_Format, "", closed, false, "Swap32"},
        {Col_MultiplicationFactor, "2", {}, false, "2"},
        {Col_Extended, "", {}, false, nullptr},
        {Col_ReTest, "", {}, false, nullptr},
        {Col_On_Command, "", {}, false, nullptr},
        {Col_On_Change, "", {}, false, nullptr},
        {Col_On_Timer, "", {}, false, nullptr},
        {Col_Poll_Time, "500", {}, false, "500"},
        {Col_Position, "", open_f4, true, "1"},
        {Col_Bit_Mode, "", {{VK_F2, {}}, {VK_END, {}}}, false, "7"},
        {Col_Length, "2", {}, false, "2"},
    };
    With_Window([&] {
        Click(G, Col_Source_Address, 1);
        for (const auto& s : steps) {
            SCOPED_TRACE(s.Col);
            At(s.Col, 1);
            Type(s.Typed);
            for (const auto& [key, shift] : s.Keys) Key(key, shift);
            EXPECT_EQ(G->ComboEditor()->DroppedDown(), s.List_Open);
            Key(VK_RETURN);
            if (s.Value) {
                EXPECT_EQ(G->GetCellEx(s.Col, 1), s.Value);
            }
            EXPECT_FALSE(G->EditorMode());
            EXPECT_FALSE(G->ComboEditor()->DroppedDown());
        }
        At(Col_TimeOut, 1);
    });
}

TEST_F(KNXGridAsUser, ColumnZeroSelectsTheRowAndHeadersSizeAndExplain)
{
    With_Window([&] {
        // A click on a row number selects the whole row.
        Click(G, 0, 5);
        EXPECT_TRUE(G->IsSelected(Col_Source_Address, 5));
        EXPECT_TRUE(G->IsSelected(Col_Mnemonic, 5));
        EXPECT_FALSE(G->IsSelected(Col_Source_Address, 4));

        // Header double click: sized to the contents only when the option is on.
        const String wide = "a name far longer than the column is wide";
        Type_Into(G, Col_Source_Address, 2, wide);
        const int before = G->ColWidths(Col_Source_Address);
        const TPoint h = Mid(G, Col_Source_Address, 0);
        Double_Click_Auto_Size = false;
        UserDblClick(G, h.X, h.Y);
        Pump();
        EXPECT_EQ(G->ColWidths(Col_Source_Address), before);
        Double_Click_Auto_Size = true;
        UserDblClick(G, h.X, h.Y);
        Pump();
        // Wide enough for the text in the cell's own font.
        EXPECT_GE(G->ColWidths(Col_Source_Address), G->GetCellTextSize(Col_Source_Address, 2, false, false).X);
        EXPECT_GT(G->ColWidths(Col_Source_Address), before);

        // A header hint is the column's line of the window's text block.
        struct {
            int col, text;
        } const hints[] = {{Col_Enable, 4531}, {Col_APCI, 4534}, {Col_Mnemonic, 4547}};
        for (const auto& k : hints) {
            THintInfo info;
            info.CursorPos = Mid(G, k.col, 0);
            G->Perform(CM_HINTSHOW, 0, LPARAM(&info));
            EXPECT_EQ(info.HintStr, Text(k.text)) << k.col;
            EXPECT_EQ(info.HintStr, W->Hint->Strings(k.col - 1));
        }
        // Body cells have none.
        THintInfo info;
        info.CursorPos = Mid(G, Col_APCI, 3);
        G->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        EXPECT_EQ(info.HintStr, "");
    });
}

}  // namespace
