#pragma once
// Plugs the BACnet editors, the EDE import dialog and the EtherNet/IP connection picker
// in at their places among the program's windows, and hands the scanner editor its picker.
void Plug_BACnet_And_EDS_Windows();
