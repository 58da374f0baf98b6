#pragma once
// Step 5 of the main window, the update of the converter: check the LoRaWAN uplinks,
// build both configuration images, write them into the configuration's bin folder and
// open the update dialog; and the start of the external updater, which the dialog runs
// once the converter answered its ping.
#include <cstdint>

#include "platform/rtl/SysUtils.h"

// Beside the program: the updater, and the job file it reads.
inline constexpr const char* Updater_File_Name = "Ethernet_Update.exe";
inline constexpr const char* Job_File_Name = "Ethernet_Update.xml";

// How long Start_Program waits for a started program, in ms (150 s; tests shorten it).
extern uint32_t Start_Program_Limit_Ms;

// The whole step: an uplink too long for the payload size shows text 30 and nothing is
// built. An error of the build or of writing the images (a file that cannot be used, a
// bin folder that cannot be written) ends the step with that error before the dialog
// opens; the caller's error handler shows it.
void Update_Device();

// Starts the program file NomeSW with the command-line arguments Parameter, in a normal
// window for tipo 0 and hidden otherwise, and waits, without handling window messages,
// until it ends or Start_Program_Limit_Ms pass; a program still running then is left
// running on its own. Its exit code is not looked at. A program that cannot be started
// raises EOSError naming it and the reason.
void Start_Program(const String& NomeSW, const String& Parameter, int tipo);
