#pragma once
// The parts the program's dialogs share: the title panel with the software code and the
// window's description, the button panel along the bottom, and their push buttons.
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

constexpr int Title_Panel_Height = 69;
constexpr int Button_Panel_Height = 40;
constexpr int Dialog_Button_Width = 110;
constexpr int Dialog_Button_Height = 28;
// The font of the dialogs and of every title panel.
constexpr const char* Dialog_Font_Name = "Verdana";
constexpr int Dialog_Font_Size = 8;

// Look of a dialog window: single frame, centred, the program's colour and font.
void Set_Dialog_Look(TForm* Form);

// The title panel across the top, holding L_SW_Code (the software code, large and grey)
// and L_SW_Desc (the description line, grey and bold), in the dialog font whatever the
// form's own font is, so every window's title looks the same.
TPanel* Make_Title_Panel(TForm* Form, TLabel*& L_SW_Code, TLabel*& L_SW_Desc);

// The button panel across the bottom.
TPanel* Make_Button_Panel(TForm* Form);

// A push button in the program's look (face, pressed, light and hot colours, hints on).
// Parent and place are the caller's to set.
TLbButton* Make_Push_Button(TComponent* Owner, const String& Name, TLbButtonStyle Style = bsEncarta,
                            TColor HotColor = clSkyBlue);

// Places the buttons side by side, right-aligned in the panel, the last one at the right.
void Place_Panel_Buttons(TPanel* Panel, std::initializer_list<TLbButton*> Buttons);
void Place_Panel_Buttons(TPanel* Panel, const std::vector<TLbButton*>& Buttons);
