// ParGen.xml as another PC or an older version wrote it, read through the parameter window
// (headless). A file the window can read must leave in its edits only what could have been
// typed there and controls that validate without harm, and what the window then saves
// must read back to the very same file.
#include <cstdlib>

#include "converter/UParGen.h"
#include "fuzz/FuzzCommon.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// Stands in for the user: every message box is answered with OK, no other window may open.
class TAnswer_OK : public IInteractionHook {
public:
    TModalResult MessageBox(const TMessageBoxRequest&) override { return mrOk; }
    TModalResult RunModal(TForm*) override { fuzz::Fail("no window opens while a file is read"); }
    bool FileDialog(TFileDialogRequest&) override { fuzz::Fail("no file dialog opens while a file is read"); }
    void Popup(TPopupMenu*, int, int) override { fuzz::Fail("no menu opens while a file is read"); }
};

TFParGen* Window = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static TAnswer_OK Hook;
    SetInteractionHook(&Hook);
    Load_Default_Texts();
    SW_Code = Const_SW_Code;
    Window = new TFParGen(nullptr);
    Window->AfterConstruction();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const String File = PathJoin(fuzz::Scratch_Folder(), "ParGen.xml");
    WriteFileAtomic(File, fuzz::Bytes(Data, Size));
    try {
        Window->Load_ParGen(File);
    } catch (const Exception&) {
        return 0;   // refused as a whole: the window shows the error and starts from the no-file state
    }
    // An edit shows only what the user could have typed into it: a stored value no typing
    // could give took the key's default.
    for (int i = 0; i < Window->ComponentCount(); ++i)
        if (auto* Edit = dynamic_cast<TEdit*>(Window->Components(i)))
            fuzz::Check(Window->Could_Type(Edit, Edit->Text()), "an edit shows only what could be typed into it",
                        Edit->Name() + ": " + fuzz::Printable(Edit->Text()));
    Window->Controllo_Dati();

    Window->Save_ParGen(File);
    const std::string Saved = ReadFileBytes(File);
    Window->Load_ParGen(File);
    Window->Save_ParGen(File);
    const std::string Again = ReadFileBytes(File);
    fuzz::Check(Again == Saved, "ParGen.xml saved by the window reads back to the same file", Saved + "\n----\n" + Again);
    return 0;
}
