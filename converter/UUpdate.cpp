#include "converter/UUpdate.h"

#include "converter/UBinImages.h"
#include "converter/UBoot.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Process.h"
#include "shell/ULanguage.h"

uint32_t Start_Program_Limit_Ms = 150000;

void Update_Device()
{
    if (!Check_Config_LoraWAN()) {
        MessageDlg(Lang_Strings.Strings(30), mtError, TMsgDlgButtons{mbOK}, 0);
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

void Start_Program(const String& NomeSW, const String& Parameter, int tipo)
{
    TProcess Process;
    if (!Process.Start(NomeSW, SplitCommandLine(Parameter), tipo != 0))
        throw EOSError(Format("Cannot start \"%s\": %s", {NomeSW, Process.LastError()}));
    // A program still running at the limit is abandoned by the process object: it goes
    // on by itself and is reaped when it ends.
    Process.WaitFor(Start_Program_Limit_Ms);
}
