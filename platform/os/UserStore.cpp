#include "platform/os/UserStore.h"

#include <cstdlib>

#include "platform/os/Files.h"

namespace {

String GFolder;

String DefaultFolder()
{
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) return PathJoin(x, "configurator");
    const char* home = std::getenv("HOME");
    return PathJoin(PathJoin(home && *home ? home : ".", ".config"), "configurator");
}

// "software//Maker\Program\" -> "Software\Maker\Program" with the case as given: one
// form per key, so two spellings of a path reach the same values.
bool NormalKey(const String& Path, String& Key)
{
    Key.clear();
    String part;
    auto flush = [&] {
        const String t = Trim(part);
        if (!t.empty()) Key += (Key.empty() ? "" : "\\") + t;
        part.clear();
    };
    for (char ch : Path) {
        if (ch == '\r' || ch == '\n' || ch == '[' || ch == ']' || ch == '\0') return false;
        if (ch == '\\' || ch == '/') flush();
        else part += ch;
    }
    flush();
    return !Key.empty();
}

TIniFile Load() { return TIniFile(UserStoreFileName()); }

void Store(const TIniFile& f)
{
    ForceDirectories(ExtractFilePath(f.FileName()));
    f.UpdateFile();
}

}  // namespace

void SetUserStoreFolder(const String& Folder) { GFolder = Folder; }

String UserStoreFileName() { return PathJoin(GFolder.empty() ? DefaultFolder() : GFolder, "user-settings.ini"); }

bool TRegistry::OpenKey(const String& Path, bool CanCreate)
{
    String key;
    if (!NormalKey(Path, key)) return false;
    TIniFile f = Load();
    if (!f.SectionExists(key)) {
        if (!CanCreate) return false;
        // A key without values still exists: an empty section says so.
        f.WriteString(key, "", "");
        f.DeleteKey(key, "");
        Store(f);
    }
    FKey = key;
    return true;
}

bool TRegistry::KeyExists(const String& Path) const
{
    String key;
    return NormalKey(Path, key) && Load().SectionExists(key);
}

bool TRegistry::DeleteKey(const String& Path)
{
    String key;
    if (!NormalKey(Path, key)) return false;
    TIniFile f = Load();
    bool any = false;
    // The key's sub-keys go with it.
    for (const String& s : f.Sections())
        if (SameText(s, key) || (s.size() > key.size() && SameText(s.substr(0, key.size() + 1), key + "\\"))) {
            f.EraseSection(s);
            any = true;
        }
    if (any) Store(f);
    return any;
}

const String& TRegistry::Key() const
{
    if (!FKey) throw ERegistryException("No key is open");
    return *FKey;
}

const String& TRegistry::CurrentPath() const { return Key(); }

bool TRegistry::ValueExists(const String& Name) const { return Load().ValueExists(Key(), Name); }

int TRegistry::ReadInteger(const String& Name) const
{
    const TIniFile f = Load();
    int n = 0;
    if (!f.ValueExists(Key(), Name) || !TryStrToInt(f.ReadString(Key(), Name, ""), n))
        throw ERegistryException("Invalid data type for '" + Name + "'");
    return n;
}

String TRegistry::ReadString(const String& Name) const { return Load().ReadString(Key(), Name, ""); }

void TRegistry::WriteInteger(const String& Name, int Value) { WriteString(Name, IntToStr(Value)); }

void TRegistry::WriteString(const String& Name, const String& Value)
{
    TIniFile f = Load();
    f.WriteString(Key(), Name, Value);
    Store(f);
}

bool TRegistry::DeleteValue(const String& Name)
{
    TIniFile f = Load();
    if (!f.ValueExists(Key(), Name)) return false;
    f.DeleteKey(Key(), Name);
    Store(f);
    return true;
}
