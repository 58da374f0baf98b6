// The known TLS certificates editor as a description of the table editor engine.
#include "editors/network/iec61850/UTLS_Server_Known_Cert_Desc.h"

#include "shell/UComon.h"

TEditorDesc TLS_Server_Known_Cert_Desc()
{
    using namespace TLS_Known_Cert;
    TEditorDesc d;
    d.Class_Name = "TFTLS_Server_Known_Cert";
    d.Name = "FTLS_Server_Known_Cert";
    d.Client_Width = 800;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = true;
    d.Root = "TLS_Server_Known_Cert";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_TLS_Known_Cert;

    TTableDesc t;
    t.Grid_Kind = gkStringGrid;
    t.Grid_Name = "ASG";
    t.Rows = Rows;
    t.Key_Col = Col_Certificate;
    t.Delete_Question = 5121;

    TFieldDesc Number = Number_Column(5114);
    Number.Width = 40;
    TFieldDesc Enable = Enable_Column(5115, 5118);
    Enable.Width = 50;
    // Only "N" unticks; any other value, an empty one too, reads as ticked.
    Enable.From_File = [](const String& Stored) { return Stored == "N" ? String("N") : String("Y"); };
    TFieldDesc Certificate = Text_Column("Certificate", 5116, 5119);
    Certificate.Width = 500;
    TFieldDesc Mnemonic = Text_Column("Mnemonic", 5117, 5120);
    Mnemonic.Width = 160;
    t.Columns = {Number, Enable, Certificate, Mnemonic};
    d.Tables = {std::move(t)};
    return d;
}
