#pragma once
// The about window: fixed identification texts (they are the same in every language) and
// a link to the maker's site. It fills itself each time it is shown.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);

    TImage* Image1;    // the logo; a click opens the maker's site
    TLabel* Label1;    // the program
    TLabel* Label2;    // software code and description
    TLabel* Label3;    // version
    TLabel* Label4;    // the maker's web address
    TLbButton* Btn_OK;

    void FormShow(TObject* Sender);
    void Label4Click(TObject* Sender);
};

extern TFAbout* FAbout;
