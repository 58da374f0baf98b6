#include "platform/office/ZipPackage.h"

#include <zip.h>

#include <memory>

#include "platform/office/OfficeApps.h"
#include "platform/os/Files.h"

namespace Office {

namespace {

struct TZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};

}  // namespace

TZipPackage TZipPackage::Read(const std::string& FileName)
{
    int err = 0;
    std::unique_ptr<zip_t, TZipCloser> z(zip_open(FileName.c_str(), ZIP_RDONLY, &err));
    if (!z) throw EOfficeError("Cannot open " + FileName + ": not a zip package");
    TZipPackage p;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    unsigned long long total = 0;
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE))
            throw EOfficeError("Cannot read " + FileName + ": a damaged entry");
        total += st.size;
        if (st.size > MaxEntrySize || total > 4 * MaxEntrySize)
            throw EOfficeError("Cannot read " + FileName + ": an entry is too large");
        std::string content(static_cast<size_t>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z.get(), static_cast<zip_uint64_t>(i), 0);
        if (!f) throw EOfficeError("Cannot read " + FileName + ": entry " + st.name);
        const zip_int64_t got = st.size ? zip_fread(f, content.data(), st.size) : 0;
        zip_fclose(f);
        if (got < 0 || static_cast<zip_uint64_t>(got) != st.size)
            throw EOfficeError("Cannot read " + FileName + ": entry " + st.name);
        p.Entries.emplace_back(st.name, std::move(content));
    }
    return p;
}

bool TZipPackage::Find(const std::string& Name, std::string& Content) const
{
    for (const auto& [name, content] : Entries)
        if (name == Name) {
            Content = content;
            return true;
        }
    return false;
}

void TZipPackage::Put(const std::string& Name, std::string Content)
{
    for (auto& [name, content] : Entries)
        if (name == Name) {
            content = std::move(Content);
            return;
        }
    Entries.emplace_back(Name, std::move(Content));
}

void TZipPackage::Write(const std::string& FileName) const
{
    const std::string tmp = FileName + ".part";
    DeleteFile(tmp);
    int err = 0;
    zip_t* z = zip_open(tmp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) throw EOfficeError("Cannot write " + FileName);
    for (const auto& [name, content] : Entries) {
        zip_source_t* src = zip_source_buffer(z, content.data(), content.size(), 0);
        if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (src) zip_source_free(src);
            zip_discard(z);
            DeleteFile(tmp);
            throw EOfficeError("Cannot write " + FileName);
        }
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        DeleteFile(tmp);
        throw EOfficeError("Cannot write " + FileName);
    }
    if (!RenameFile(tmp, FileName)) {
        DeleteFile(tmp);
        throw EOfficeError("Cannot write " + FileName);
    }
}

}  // namespace Office
