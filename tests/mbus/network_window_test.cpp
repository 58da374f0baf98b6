// The network editor as the user works it: the tree mirrors the file, nodes and variables
// added and modified through the pages (whatever language the buttons speak), copied and
// pasted through the paste dialog, deleted, cancelled, imported; and the paste dialog's
// checks.
#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "tests/mbus/windows_fixture.h"

namespace {

class NetworkEditor : public MBusWindows {
protected:
    void SetUp() override
    {
        MBusWindows::SetUp();
        TInteractionScript script;
        New_Configuration(script, "Net");
        E = FMeter_Bus;
    }
    // Shows the editor, acts, and closes it with the result Act gives.
    void Edit(TInteractionScript& Script, const std::function<TModalResult()>& Act)
    {
        Script.OnForm([&](TForm*) { return Act(); }, "TFMeter_Bus");
        FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_MBus);
    }
    // A wired node typed on the "Nodes" page.
    void Type_Node(const String& Desc, int Primary)
    {
        E->CB_MBus_Type->SetItemIndex(1);
        E->CB_MBus_TypeChange(E->CB_MBus_Type);
        E->E_Node_Desc->SetText(Desc);
        E->RB_Node_Pri->SetChecked(true);
        E->E_Node_Pri->SetText(IntToStr(Primary));
        E->CB_Node_Enable->SetChecked(true);
    }
    void Type_Var(const String& Desc, int Register)
    {
        E->E_Var_Desc->SetText(Desc);
        E->E_Var_PosData->SetText(IntToStr(Register));
        E->CB_Var_Dim->SetItemIndex(2);
        E->CB_Var_DimChange(E->CB_Var_Dim);
    }
    TFMeter_Bus* E = nullptr;
};

TEST_F(NetworkEditor, WithoutAFileOnlyTheRootShowsAndOKWritesAnEmptyNetwork)
{
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        EXPECT_EQ(E->Item_Text(E->Item_Of(-1)), "M-Bus Network");
        EXPECT_EQ(E->Item_Of(0), nullptr);
        EXPECT_EQ(E->btn_Add_Node->Caption(), "ADD NODE");
        EXPECT_EQ(E->btn_Add_Var->Caption(), "ADD VARIABLE");
        EXPECT_TRUE(SNAPSHOT(E, "network_editor_empty.png", png));
        // The root selected: "ADD VARIABLE" stores nothing and says nothing.
        E->Select_Item(E->Item_Of(-1));
        UserClick(E->btn_Add_Var);
        EXPECT_EQ(E->Item_Of(0, 0), nullptr);
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_TRUE(FileExists(FileName_M_Bus));
    EXPECT_EQ(net.Read_Error, "");
    EXPECT_TRUE(net.Nodi_List.empty());
}

}  // namespace
