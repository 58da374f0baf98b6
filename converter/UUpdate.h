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

// The whole step: an uplink too long for the payload size shows text 30 and nothing is
// built. An error of the build or of writing the images (a file that cannot be used, a
// bin folder that cannot be written) ends the step with that error before the dialog
// opens; the caller's error handler shows it.
void Update_Device();
