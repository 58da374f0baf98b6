#pragma once
// Files, folders and paths.
//
// Paths are UTF-8 strings joined with '/'. A folder returned by this layer
// (ProgramFolder, IncludeTrailingPathDelimiter, ExtractFilePath) always ends with
// the separator, so "folder + name" joins read naturally: ProgramFolder() + "MASTER".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Exception.h"

constexpr char PathDelim = '/';

// The folder of the running executable (read from /proc/self/exe), with a trailing '/'.
std::string ProgramFolder();

// --- path strings ----------------------------------------------------------------
std::string IncludeTrailingPathDelimiter(std::string_view path);   // "a" -> "a/", "a/" -> "a/"
std::string ExcludeTrailingPathDelimiter(std::string_view path);   // "a/" -> "a", "/" stays "/"
std::string ExtractFilePath(std::string_view path);   // up to and including the last '/' ("" if none)
std::string ExtractFileName(std::string_view path);   // after the last '/'
std::string ExtractFileExt(std::string_view path);    // ".xml" of the name part, "" if none
std::string ChangeFileExt(std::string_view path, std::string_view ext);   // ext with its dot, "" removes
// "a" + "b" -> "a/b"; one separator between them whatever the operands end or begin with.
std::string PathJoin(std::string_view folder, std::string_view name);

// --- queries and simple operations (false on failure, never an exception) -------
bool FileExists(const std::string& path);        // an existing entry that is not a folder
bool DirectoryExists(const std::string& path);
bool CreateDir(const std::string& path);         // one level; false if it exists or fails
bool ForceDirectories(const std::string& path);  // every missing level; true if it exists afterwards
bool DeleteFile(const std::string& path);
bool RemoveDir(const std::string& path);         // empty folder only
bool RenameFile(const std::string& from, const std::string& to);   // replaces an existing 'to'

// --- whole-file reading and writing ----------------------------------------------
// The file's bytes; EFOpenError (with the path and the system's reason) when it can't be read.
std::string ReadFileBytes(const std::string& path);

// Writes bytes to a temporary file in the same folder, flushes and fsyncs it and renames
// it over 'path'. On any failure the previous file is untouched, the temporary file is
// removed and EFCreateError (an EInOutError) is raised with the path and the reason.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Test hook: when n > 0, the n-th low-level write issued by WriteFileAtomic from now on
// fails as if the disk were full (ENOSPC), once; 0 switches it off. Writes go out in
// chunks of at most WriteChunkSize bytes, so a large file can fail "half way".
void SetWriteFailureForTest(int n);
constexpr std::size_t WriteChunkSize = 64 * 1024;

// --- folder listing --------------------------------------------------------------
enum TFileAttr : unsigned {
    faReadOnly = 0x01,   // no write permission for the owner
    faHidden = 0x02,     // name begins with '.'
    faSysFile = 0x04,    // not a regular file nor a folder (device, socket, pipe)
    faDirectory = 0x10,
    faSymLink = 0x40,    // the entry itself is a symbolic link (the rest describes its target)
};

struct TSearchRec {
    std::string Name;          // entry name, no folder
    bool IsFolder = false;
    std::int64_t Size = 0;     // bytes; 0 for folders
    std::int64_t Time = 0;     // last modification, seconds since 1970 UTC
    unsigned Attr = 0;         // TFileAttr bits
};

// Entries of a folder, "." and ".." never included, in a stable order: by name with
// A-Z folded (as a user expects a folder listing), ties in byte order. An unreadable or
// missing folder gives an empty list. Symbolic links are described by their target.
std::vector<TSearchRec> FindFiles(const std::string& folder);
