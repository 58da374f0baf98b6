// The DeviceNet network editor on the table editor engine.
#include "editors/fieldbus/UDNet.h"

#include "shell/UFormTable.h"

TFDNet* FDNet = nullptr;

TFDNet::TFDNet(TComponent* AOwner) : TFTableEditor(AOwner, DNet_Desc())
{
    ASG = Grid(0);
    Hint_DeviceNet = Hint_List(0);
}

void Plug_DNet_Window()
{
    Plug_Window("TFDNet", FDNet);
}
