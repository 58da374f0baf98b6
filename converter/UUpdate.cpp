#include "converter/UUpdate.h"

#include "converter/UBinImages.h"
#include "converter/UBoot.h"
#include "platform/gui/Dialogs.h"
#include "shell/ULanguage.h"

void Update_Device()
{
    if (!Check_Config_LoraWAN()) {
        MessageDlg(Lang_Text(30), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    Build_Bin_Images();
    // Sending images that are not on disk would send the previous ones: a failed write
    // ends the step here, with its error, before the dialog opens.
    Save_Bin_Files();
    if (!FBoot) return;
    FBoot->Form_Type = 1;
    FBoot->ShowModal();
}
