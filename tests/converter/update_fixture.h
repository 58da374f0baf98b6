#pragma once
// The update dialog for one test: the built-in texts, a program folder and a
// configuration folder of the test's own, a stand-in converter for the ping and a
// stand-in updater beside the program.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <vector>

#include "converter/UBoot.h"
#include "converter/UUpdate.h"
#include "shell/UDuvazaradFirmWare.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "platform/rtl/Threads.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"

namespace update_test {

// A converter that answers the echoes as told: one result per echo, the last one repeated.
struct TStand_In_Converter {
    std::vector<TPingResult> Results;
    std::vector<String> Hosts;
    std::vector<std::string> Data;
    std::vector<uint32_t> Timeouts;
    // Runs during echo n (from 0), as if the user acted while it was on its way.
    std::function<void(int n)> During;

    TEcho_Function Echo()
    {
        return [this](const String& Host, std::string_view D, uint32_t Timeout) {
            const int n = int(Hosts.size());
            Hosts.push_back(Host);
            Data.emplace_back(D);
            Timeouts.push_back(Timeout);
            if (During) During(n);
            TPingReply r;
            r.Result = Results.empty() ? prTimeout : Results[std::min<size_t>(n, Results.size() - 1)];
            r.DataBytes = r.Result == prReplyWithData ? int(D.size()) : 0;
            return r;
        };
    }
    int Echoes() const { return int(Hosts.size()); }
};

// The stand-in updater: it keeps a copy of the job file it found beside itself, with the
// arguments it got, once it has waited Delay seconds; so a copy that is there when
// Start_Program returns shows that the program was waited for.
inline String Updater_Script(const char* Delay = "0.2")
{
    return String("#!/bin/sh\n"
                  "dir=$(dirname \"$0\")\n"
                  "sleep ") + Delay + "\n"
                  "cp \"$dir/Ethernet_Update.xml\" \"$dir/job_seen.xml\"\n"
                  "echo \"$#:$*\" > \"$dir/updater_ran\"\n";
}
// An updater that never ends on its own; it leaves its process id for the test to end it.
inline String Stuck_Updater_Script()
{
    return "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/updater.pid\"\nexec sleep 60\n";
}

inline void Place_Program(const String& Path, const String& Script)
{
    WriteFileAtomic(Path, Script);
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all);
}

// Ends the stuck updater a test started, by the process id it left.
inline void End_Stuck_Updater(const String& Folder)
{
    const String Pid_File = PathJoin(Folder, "updater.pid");
    for (int i = 0; i < 200 && !FileExists(Pid_File); ++i) Sleep(10);
    if (!FileExists(Pid_File)) return;
    const int Pid = StrToIntDef(Trim(ReadFileBytes(Pid_File)), 0);
    if (Pid > 0) ::kill(Pid, SIGKILL);
}

// Names of the children of an element, in order.
inline std::vector<String> Child_Names(const TXMLNode& Node)
{
    std::vector<String> names;
    for (const TXMLNode& c : Node.ChildNodes()) names.push_back(c.NodeName());
    return names;
}

}  // namespace update_test
