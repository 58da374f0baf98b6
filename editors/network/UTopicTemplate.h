#pragma once
// The template dialog of the MQTT topic editor: one template (or topic) text edited over
// several lines, with a legend of keywords below it. It carries the text and nothing
// else: the caller puts a cell's text into RE_TopicTemplate, shows the dialog and takes
// the text back when it closes with OK.
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtStringGrid;

class TFTopicTemplate : public TForm {
public:
    explicit TFTopicTemplate(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* Panel1;
    // The text of several lines; a template is plain text, so a memo carries it whole.
    TMemo* RE_TopicTemplate;
    TControl* Splitter1;
    TPanel* P_Legend;
    TLabel* L_List_Keywords;
    TExtStringGrid* ASG_Keywords;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    // Set by the caller before showing: not 0 for a template, 0 for a topic (the captions
    // follow it); the caller's working mode and its table (0 publish, 1 subscribe), which
    // the dialog keeps for the caller.
    int TopicTemplate = 0;
    int Working_Mode = 0;
    int Pub_Sub = 0;

    void Set_Lang();
    void FormShow(TObject* Sender);
    // The legend from the known keywords and their descriptions.
    void Laod_Keywords();

private:
    // No keyword is known to this system: the legend shows its header and one blank row.
    std::vector<String> FKeywords;
    std::vector<String> FDescriptions;
};

extern TFTopicTemplate* FTopicTemplate;

// Plugs the window in at its place among the program's windows.
void Plug_Topic_Template_Window();
