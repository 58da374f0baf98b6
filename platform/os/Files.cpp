#include "platform/os/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/SysUtils.h"

namespace {

std::atomic<int> gFailWriteIn{0};   // countdown of the test hook; 0 = off

String SysError(int err) { return std::strerror(err); }

// One chunked write through the test hook; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = std::min(WriteChunkSize, bytes.size() - done);
        int n = gFailWriteIn.load();
        if (n > 0) {
            gFailWriteIn.store(n - 1);
            if (n == 1) {
                errno = ENOSPC;
                return false;
            }
        }
        ssize_t w = ::write(fd, bytes.data() + done, chunk);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

// The real file a write to 'path' must replace: a symbolic link is followed, so
// saving through a link updates the file it points at instead of replacing the link.
std::string WriteTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(path.c_str(), buf) != nullptr) return buf;
    }
    return path;
}

void SyncFolder(const std::string& folder)
{
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);   // makes the rename durable; a folder that refuses it changes nothing
        ::close(dfd);
    }
}

}  // namespace

std::string ProgramFolder()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    if (n > 0) {
        std::string exe(buf, static_cast<std::size_t>(n));
        const std::string deleted = " (deleted)";   // the program file was replaced while running
        if (exe.size() > deleted.size() && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
            exe.resize(exe.size() - deleted.size());
        std::string folder = ExtractFilePath(exe);
        if (!folder.empty()) return folder;
    }
    if (::getcwd(buf, sizeof(buf)) != nullptr) return IncludeTrailingPathDelimiter(buf);
    return "./";
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string s(path);
    if (s.empty() || s.back() != PathDelim) s += PathDelim;
    return s;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    std::string s(path);
    while (s.size() > 1 && s.back() == PathDelim) s.pop_back();
    return s;
}

std::string ExtractFilePath(std::string_view path)
{
    auto p = path.rfind(PathDelim);
    return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

std::string ExtractFileName(std::string_view path)
{
    auto p = path.rfind(PathDelim);
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string ExtractFileExt(std::string_view path)
{
    std::string name = ExtractFileName(path);
    auto p = name.rfind('.');
    return p == std::string::npos ? std::string() : name.substr(p);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    std::string s(path);
    auto slash = s.rfind(PathDelim);
    auto dot = s.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) s.resize(dot);
    s += ext;
    return s;
}

std::string PathJoin(std::string_view folder, std::string_view name)
{
    if (folder.empty()) return std::string(name);
    while (!name.empty() && name.front() == PathDelim) name.remove_prefix(1);
    return IncludeTrailingPathDelimiter(folder) + std::string(name);
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path)
{
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& path)
{
    std::string p = ExcludeTrailingPathDelimiter(path);
    if (p.empty()) return false;
    if (DirectoryExists(p)) return true;
    std::string parent = ExcludeTrailingPathDelimiter(ExtractFilePath(p));
    if (!parent.empty() && parent != p && !ForceDirectories(parent)) return false;
    return ::mkdir(p.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(p));
}

bool DeleteFile(const std::string& path)
{
    return !DirectoryExists(path) && ::unlink(path.c_str()) == 0;
}

bool RemoveDir(const std::string& path)
{
    return ::rmdir(path.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
}

std::string ReadFileBytes(const std::string& path)
{
    auto fail = [&](int err) {
        return EFOpenError(Format("Cannot open file \"%s\". %s", {path, SysError(err)}));
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fail(errno);
    std::string data;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof(buf));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw fail(err);
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return data;
}

void SetWriteFailureForTest(int n) { gFailWriteIn.store(n > 0 ? n : 0); }

void WriteFileAtomic(const std::string& path, std::string_view bytes)
{
    auto fail = [&](const String& reason) {
        return EFCreateError(Format("Cannot write file \"%s\". %s", {path, reason}));
    };
    if (path.empty() || path.back() == PathDelim) throw fail("Invalid file name");
    const std::string target = WriteTarget(path);
    const std::string folder = ExtractFilePath(target);

    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode)) throw fail(SysError(EISDIR));

    // The temporary file lies beside the target (a rename never crosses file systems)
    // and is a dot-file, so a folder listing does not offer it while it exists.
    static std::atomic<unsigned> counter{0};
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = folder + "." + ExtractFileName(target) + "." + IntToStr(::getpid()) + "." +
              IntToStr(counter.fetch_add(1)) + ".tmp";
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw fail(SysError(errno));

    auto abandon = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return fail(SysError(err));
    };
    if (hadOld) ::fchmod(fd, old.st_mode & 07777);   // a rewritten file keeps its permissions
    if (!WriteAll(fd, bytes)) throw abandon(errno);
    if (::fsync(fd) != 0) throw abandon(errno);
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0) throw abandon(errno);
    if (::rename(tmp.c_str(), target.c_str()) != 0) throw abandon(errno);
    SyncFolder(folder);
}

std::vector<TSearchRec> FindFiles(const std::string& folder)
{
    std::vector<TSearchRec> list;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return list;
    const std::string base = folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        TSearchRec rec;
        rec.Name = name;
        std::string full = base + name;
        struct stat lst {}, st {};
        bool haveL = ::lstat(full.c_str(), &lst) == 0;
        bool have = ::stat(full.c_str(), &st) == 0;
        if (!have && haveL) st = lst;   // a dangling link is described by itself
        if (haveL && S_ISLNK(lst.st_mode)) rec.Attr |= faSymLink;
        if (have || haveL) {
            rec.IsFolder = S_ISDIR(st.st_mode);
            if (rec.IsFolder) rec.Attr |= faDirectory;
            else if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) rec.Attr |= faSysFile;
            if (S_ISREG(st.st_mode)) rec.Size = static_cast<std::int64_t>(st.st_size);
            rec.Time = static_cast<std::int64_t>(st.st_mtime);
            if ((st.st_mode & S_IWUSR) == 0) rec.Attr |= faReadOnly;
        }
        if (name[0] == '.') rec.Attr |= faHidden;
        list.push_back(std::move(rec));
    }
    ::closedir(dir);
    std::sort(list.begin(), list.end(), [](const TSearchRec& a, const TSearchRec& b) {
        int c = CompareText(a.Name, b.Name);
        return c != 0 ? c < 0 : a.Name < b.Name;
    });
    return list;
}
