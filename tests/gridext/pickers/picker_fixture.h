#pragma once
// A form holding one picker and a second edit to click into, for the pickers' tests.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

template <class TPicker>
class PickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TPicker* Edit = nullptr;
    TEdit* Other = nullptr;

    void SetUp() override
    {
        Application->Initialize();
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        SetLongTimeFormatOverride("hh:nn:ss");
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 360, 300);
        Edit = Make_Control<TPicker>(Form, Form, "Edit", 10, 10, 150, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 240, 150, 21);
        Form->Show();
        Pump();
        UserFocus(Edit);
    }
    void TearDown() override
    {
        delete Form;
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        SetLongTimeFormatOverride("");
    }
    void Pump() { Application->ProcessMessages(); }
    TControl* ArrowButton() const { return Edit->Button()->Button(); }
    // Opens by the button, long after any earlier closing.
    void OpenByButton()
    {
        if (Edit->DropDownForm()) Edit->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
    }
};
