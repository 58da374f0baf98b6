#pragma once
// Plugs the description-file writers into the main window's steps and the GSDML file
// name dialog in at its place among the program's windows.
void Plug_Device_Description_Files();
