#pragma once
// The IEC 61850 client editor for one test: a configuration folder of its own with a
// folder of device files to add from, the built-in texts, and a script for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editors/network/iec61850/UIEC_61850_Access.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"
#include "tests/editors/iec61850/scl_fixture.h"
#include "tests/editors/iec61850/tree_hands.h"

// A breaker controller: LLN0 with data set DS1 (three members, published by GSE1) and
// DS_Lost (members that resolve to nothing), and breaker XCBR1.
inline String Breaker_SCL(const String& IED = "E1")
{
    return SCL_File(IED,
                    "<LDevice inst=\"CTRL\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
                    "<DataSet name=\"DS1\"><FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"stVal\"/>"
                    "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"q\"/>"
                    "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"t\"/></DataSet>"
                    "<DataSet name=\"DS_Lost\"><FCDA ldInst=\"NONE\" lnClass=\"XCBR\" doName=\"Pos\"/></DataSet>"
                    "<GSEControl name=\"GSE1\" datSet=\"DS1\"/></LN0>"
                    "<LN lnClass=\"XCBR\" inst=\"1\" lnType=\"XCBR_T\"/></LDevice>",
                    Breaker_Templates());
}

class Client_Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Dir = Test_Folder("iecclient");
        Project_Path = Dir;
        FileName_IEC_61850_Client = PathJoin(Dir, "IEC_61850_Client.xml");
        Src = PathJoin(Dir, "src");
        std::filesystem::create_directories(Src);
    }
    void TearDown() override
    {
        if (W) W->Free();
        Project_Path.clear();
        FileName_IEC_61850_Client.clear();
        std::filesystem::remove_all(Dir);
    }

    TFIEC_61850_Access* Window()
    {
        if (!W) {
            W = new TFIEC_61850_Access(nullptr);
            W->AfterConstruction();
        }
        return W;
    }
    // A device file to add from, in the source folder.
    String Source(const String& Name, const String& Text)
    {
        const String Path = PathJoin(Src, Name);
        WriteFileAtomic(Path, Text);
        return Path;
    }
    String In_Catalog(const String& Name) const { return PathJoin(PathJoin(Dir, "ICD_Catalog"), Name); }

    // Shows the window modally: Act works on it like the user; the boxes it shows while it
    // opens get Answers. The result is the window's.
    TModalResult Open(TInteractionScript& Script, const std::function<void()>& Act,
                      std::vector<std::pair<TModalResult, String>> Answers = {})
    {
        Script.OnForm(
            [&](TForm*) {
                Act();
                return mrCancel;
            },
            "TFIEC_61850_Access");
        for (const auto& [Result, Text] : Answers) Script.Answer(Result, Text);
        return Window()->ShowModal();
    }
    // Add IEC Device with the file chosen, and the answers to what it asks.
    void Add_Device(TInteractionScript& Script, const String& File,
                    std::vector<std::pair<TModalResult, String>> Answers = {})
    {
        Script.ChooseFile(File);
        for (const auto& [Result, Text] : Answers) Script.Answer(Result, Text);
        UserClick(W->Btn_Add_IEC_Device);
    }
    // Clicks line k of the device list.
    void Choose_Device(int k)
    {
        TListBox* LB = W->LB_IEC_Devices;
        UserClick(LB, 10, k * LB->ItemHeight() + LB->ItemHeight() / 2);
        ASSERT_EQ(LB->ItemIndex(), k);
    }
    // Picks the attribute (or data set) in the tree of the device shown, opening the nodes
    // above it the way the user does.
    void Pick(PLazyNode Node, const std::vector<PLazyNode>& Open_First = {})
    {
        for (PLazyNode n : Open_First) ASSERT_TRUE(Open_Tree_Node(W, n));
        ASSERT_TRUE(Click_Tree_Node(W, Node));
    }
    TIEC_Device& Device(int k) { return *W->List_IEC_Dev.at(size_t(k)); }
    // Breaker device k: its Pos data object, an attribute of it, LLN0's data sets.
    TIEC_DO* Pos(int k) { return Device(k).List_LDevice[0]->Find_LN("XCBR")->Find_DO("Pos"); }
    TIEC_DataSet* Data_Set(int k, int i) { return Device(k).List_LDevice[0]->List_LN[0]->List_DataSet.at(size_t(i)).get(); }
    // Picks attribute Name of device k's breaker and presses Add Var.
    void Add_Attribute(int k, const String& Name)
    {
        Pick(Pos(k)->Find_DA(Name)->TreeNode, {Pos(k)->TreeNode});
        UserClick(W->Btn_AddVar);
    }
    void Add_Data_Set(int k, int i)
    {
        Pick(Data_Set(k, i)->TreeNode);
        UserClick(W->Btn_AddVar);
    }

    static String Cell(TExtColumnGrid* G, int Col, int Row) { return G->GetCellEx(Col, Row); }

    String Dir, Src;
    TFIEC_61850_Access* W = nullptr;
};
