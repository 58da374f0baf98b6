#pragma once
// A parameter window for one test: the built-in texts, a configuration folder of the
// test's own and a script that stands in for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "converter/UParGen.h"
#include "platform/gui/Dialogs.h"
#include "tests/common/UserInput.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"

class ParGenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "Ruz41O08";
        Dir = Test_Folder("pargen");
        FileName_ParGen = Dir + "/ParGen.xml";
        W = new TFParGen(nullptr, Model());
        W->AfterConstruction();
    }

    void TearDown() override
    {
        W->Free();
        W = nullptr;
        FileName_ParGen.clear();
        std::filesystem::remove_all(Dir);
    }

    virtual String Model() const { return ParGen_Build_Model; }

    // Shows the window modally; Act works on it like the user, and its result closes it
    // unless the window set its own (OK does). The message boxes announced with
    // Expect_Box before are answered with OK, in that order, while the window is open.
    TModalResult Open(TInteractionScript& script, const std::function<void()>& Act = {},
                      TModalResult Close_With = mrCancel)
    {
        script.OnForm(
            [&](TForm*) {
                if (Act) Act();
                return Close_With;
            },
            "TFParGen");
        for (const String& text : FBoxes) script.Answer(mrOk, text);
        FBoxes.clear();
        return W->ShowModal();
    }
    // A message box the next Open will show; its text must contain Text.
    void Expect_Box(const String& Text = "") { FBoxes.push_back(Text); }

    // Writes ParGen.xml with these keys and texts under the root element Root.
    void Write_File(std::initializer_list<std::pair<const char*, const char*>> keys, const String& Root = "Par_Gen")
    {
        String xml = "<" + Root + ">\n";
        for (auto& [k, v] : keys) xml += String("  <") + k + ">" + v + "</" + k + ">\n";
        xml += "</" + Root + ">\n<!--SW_VERSION = 1.002-->\n";
        Write_Raw(xml);
    }
    void Write_Raw(const String& bytes) { WriteFileAtomic(FileName_ParGen, bytes); }
    String Read_File() const { return FileExists(FileName_ParGen) ? ReadFileBytes(FileName_ParGen) : String(); }

    // Picks item Index of a list the way the user does: with the keys while the window is
    // shown, else by selecting it and announcing the change as a pick does.
    static void Pick(TComboBox* list, int Index)
    {
        if (!list->Showing() || !list->CanFocus()) {
            list->SetItemIndex(Index);
            if (list->OnChange) list->OnChange(list);
            return;
        }
        UserFocus(list);
        if (list->ItemIndex() < 0) UserKey(list, VK_HOME);
        for (int guard = 0; guard < 64 && list->ItemIndex() < Index; ++guard) UserKey(list, VK_DOWN);
        for (int guard = 0; guard < 64 && list->ItemIndex() > Index; ++guard) UserKey(list, VK_UP);
        ASSERT_EQ(list->ItemIndex(), Index) << list->Name();
    }
    // Replaces an edit's text by typing Text the way the user does: the edit takes the
    // focus, its text is selected and rubbed out, then Text is typed key by key.
    static void Type_Over(TEdit* edit, const String& Text)
    {
        UserFocus(edit);
        edit->SelectAll();
        UserKey(edit, VK_BACK);
        UserType(edit, Text);
    }
    // Ticks or clears a check box (its click handler runs).
    static void Tick(TCheckBox* box, bool Checked) { box->SetChecked(Checked); }

    static String Text(int Number) { return Lang_Strings[Number]; }

    String Dir;
    TFParGen* W = nullptr;
    std::vector<String> FBoxes;
};

// A window of another model of the family.
class ParGenModelTest : public ParGenTest, public ::testing::WithParamInterface<const char*> {
protected:
    String Model() const override { return GetParam(); }
};
