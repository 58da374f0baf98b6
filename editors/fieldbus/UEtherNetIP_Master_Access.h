#pragma once
// The EtherNet/IP scanner rules of the family's EtherNet/IP originator models: one row
// per slave, kept in EtherNetIP_Master_Rules.xml. A row's connection data can be taken
// from the device's EDS file through the EDS connection picker.
#include <functional>
#include <optional>

#include "editors/fieldbus/UEtherNetIP_Master_Access_Desc.h"
#include "editors/frame/UTableEditor.h"
#include "platform/gui/Dialogs.h"

class TFEtherNetIP_Master_Access : public TFTableEditor {
public:
    explicit TFEtherNetIP_Master_Access(TComponent* AOwner);

    TExtColumnGrid* ACG;
    TStringList* Hint;
    TLbButton* Btn_Import_EDS;
    TOpenDialog* OD_EDS;

    // The totals of the showing.
    int Num_Byte_In = EtherNetIP::Max_Bytes;
    int Num_Byte_Out = EtherNetIP::Max_Bytes;

    bool Do_Copy() const { return Copy_Mark(0); }

    // Asks for an EDS file, lets the picker choose one of its connections and puts that
    // connection into the first free row.
    void Btn_Import_EDSClick(TObject* Sender);

protected:
    void Before_Reset() override;
};

extern TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access;

// The EDS connection picker, as the part that brings it sets it: shows the picker for the
// file and gives the connection chosen, none when the picker was closed otherwise. While
// no picker is there, an import ends after the file was chosen.
extern std::function<std::optional<EtherNetIP::TEDS_Connection>(const String& EDS_FileName)> Pick_EDS_Connection;

// Plugs the window in at its place among the program's windows.
void Plug_EtherNetIP_Master_Access_Window();
