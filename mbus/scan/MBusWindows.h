#pragma once
// Plugs the M-Bus windows in at their places among the program's windows: the network
// editor and its paste dialog, the scan window and its three dialogs; and gives the main
// window the step that hands the scan window what it scans with.
void Plug_MBus_Windows();
