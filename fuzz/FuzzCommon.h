#pragma once
// What every fuzz target shares: a scratch folder of its own, the split of one input into
// several files, and the checks that turn a wrong result into a crash libFuzzer reports.
//
// A reader may refuse its input only with an error derived from Exception (the application
// shows those in an error box and goes on); anything else that escapes (std::out_of_range,
// std::length_error ...) is a fault, and a target lets it through to libFuzzer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/Files.h"

namespace fuzz {

// The input as text.
inline std::string_view Bytes(const uint8_t* Data, size_t Size)
{
    return {reinterpret_cast<const char*>(Data), Size};
}

// Text for a report: bytes outside printable ASCII as \xNN.
inline std::string Printable(std::string_view Text)
{
    std::string Out;
    for (unsigned char c : Text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            Out += static_cast<char>(c);
        } else {
            char Buf[8];
            std::snprintf(Buf, sizeof Buf, "\\x%02X", c);
            Out += Buf;
        }
    }
    return Out;
}

// A broken expectation: print what was expected and stop, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* What, std::string_view Detail = {})
{
    std::fprintf(stderr, "\n*** fuzz check failed: %s\n", What);
    if (!Detail.empty()) std::fprintf(stderr, "*** %.*s\n", static_cast<int>(Detail.size()), Detail.data());
    std::abort();
}

inline void Check(bool Condition, const char* What, std::string_view Detail = {})
{
    if (!Condition) Fail(What, Detail);
}

// A folder for this process's files (in memory when /dev/shm is there: the readers write
// and fsync), removed at exit. Parallel fuzzing processes each get their own.
inline const std::string& Scratch_Folder()
{
    // Kept for the whole run (never destroyed), so the removal at exit can still name it.
    static const std::string& Folder = *new std::string([] {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        const std::filesystem::path dir = base / ("conf_fuzz_" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        return dir.string();
    }());
    static const bool Removed_At_Exit = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(Scratch_Folder(), ec);
    }) == 0;
    (void)Removed_At_Exit;
    return Folder;
}

// The parts of an input holding several files, one after the other, each ended by a line
// "---8<---". A part the input does not reach is missing (Present false).
constexpr std::string_view Part_Separator = "\n---8<---\n";

struct TPart {
    bool Present = false;
    std::string_view Text;
};

inline std::vector<TPart> Split_Parts(std::string_view Input, size_t Count)
{
    std::vector<TPart> Parts(Count);
    size_t Start = 0;
    for (size_t i = 0; i < Count && Start <= Input.size(); ++i) {
        const size_t End = Input.find(Part_Separator, Start);
        if (End == std::string_view::npos) {
            Parts[i] = {true, Input.substr(Start)};
            break;
        }
        Parts[i] = {true, Input.substr(Start, End - Start)};
        Start = End + Part_Separator.size();
    }
    return Parts;
}

// Puts a part in place as the file Path: written when present, deleted when missing.
inline void Put_File(const std::string& Path, const TPart& Part)
{
    if (Part.Present) WriteFileAtomic(Path, Part.Text);
    else DeleteFile(Path);
}

}  // namespace fuzz
