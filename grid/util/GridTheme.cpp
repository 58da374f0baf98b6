#include "grid/util/GridTheme.h"

#include <array>

#include "platform/gui/Forms.h"

const char* const ThemeEntryNames[ThemeEntryCount] = {
    "OpenThemeData",   "CloseThemeData",     "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "IsThemePartDefined", "GetThemeColor", "IsThemeActive",
    "IsAppThemed",     "GetCurrentThemeName",
};

namespace {

// The binding: one table for the process, bound once.
struct ThemeBinding {
    TThemeEntryTable table;
    bool loaded = false;
    bool attempted = false;
    const TThemeLibrary* library = nullptr;   // the library bound last (nullptr: none)
};

ThemeBinding& Binding()
{
    static ThemeBinding b;
    return b;
}

// Each entry of the table in binding order, as the slot its address is written to.
std::array<void**, ThemeEntryCount> EntrySlots(TThemeEntryTable& t)
{
    return {reinterpret_cast<void**>(&t.OpenThemeData), reinterpret_cast<void**>(&t.CloseThemeData),
            reinterpret_cast<void**>(&t.DrawThemeBackground), reinterpret_cast<void**>(&t.DrawThemeText),
            reinterpret_cast<void**>(&t.GetThemeBackgroundContentRect),
            reinterpret_cast<void**>(&t.IsThemePartDefined), reinterpret_cast<void**>(&t.GetThemeColor),
            reinterpret_cast<void**>(&t.IsThemeActive), reinterpret_cast<void**>(&t.IsAppThemed),
            reinterpret_cast<void**>(&t.GetCurrentThemeName)};
}

const TOfficeSettings* gOfficeSettings = nullptr;

TOfficeSettings& PlatformOfficeSettings()
{
    // No office suite settings on this platform: every key is missing.
    static TOfficeSettings none;
    return none;
}

const TOfficeSettings& OfficeSettings()
{
    return gOfficeSettings ? *gOfficeSettings : PlatformOfficeSettings();
}

TThemeNotifier* gThemeNotifier = nullptr;

const char* const kOffice11 = "Software\\Microsoft\\Office\\11.0\\Common\\General";
const char* const kOffice12 = "Software\\Microsoft\\Office\\12.0\\Common\\General";
const char* const kOffice14 = "Software\\Microsoft\\Office\\14.0\\Common\\General";
const char* const kOffice12Common = "Software\\Microsoft\\Office\\12.0\\Common";
const char* const kOffice14Common = "Software\\Microsoft\\Office\\14.0\\Common";

} // namespace

TWYXStyle OfficeThemeToStyle(TOfficeTheme t)
{
    switch (t) {
    case ot2003Blue: return tsOffice2003Blue;
    case ot2003Silver: return tsOffice2003Silver;
    case ot2003Olive: return tsOffice2003Olive;
    case ot2003Classic: return tsOffice2003Classic;
    case ot2007Blue: return tsOffice2007Luna;
    case ot2007Silver: return tsOffice2007Silver;
    case ot2007Black: return tsOffice2007Obsidian;
    case ot2010Blue: return tsOffice2010Blue;
    case ot2010Silver: return tsOffice2010Silver;
    case ot2010Black: return tsOffice2010Black;
    case otUnknown: break;
    }
    return tsWindowsXP;
}

// ---- binding ----

void BindThemeLibraryFrom(const TThemeLibrary* lib)
{
    ThemeBinding& b = Binding();
    ReleaseThemeLibrary();
    b.attempted = true;
    b.library = lib;
    if (!lib) return;   // no library: every themed painter takes its classic branch
    TThemeEntryTable table;
    const auto slots = EntrySlots(table);
    for (int i = 0; i < ThemeEntryCount; ++i) {
        void* p = lib->GetProcAddress(ThemeEntryNames[i]);
        // A library without one of the entries is not used at all: classic painting
        // instead of a half-bound table.
        if (!p) return;
        *slots[size_t(i)] = p;
    }
    b.table = table;
    b.loaded = true;
}

void BindThemeLibrary()
{
    ThemeBinding& b = Binding();
    if (b.loaded || b.attempted) return;
    BindThemeLibraryFrom(BuiltInThemeLibrary());
}

void ReleaseThemeLibrary()
{
    ThemeBinding& b = Binding();
    b.table = TThemeEntryTable();
    b.loaded = false;
}

bool ThemeLibraryLoaded()
{
    BindThemeLibrary();
    return Binding().loaded;
}

const TThemeEntryTable& ThemeEntries()
{
    BindThemeLibrary();
    return Binding().table;
}

bool ThemedDrawingActive()
{
    if (!ThemeLibraryLoaded()) return false;
    const TThemeEntryTable& t = ThemeEntries();
    return t.IsThemeActive() && t.IsAppThemed();
}

bool DrawThemedPart(HWND hwnd, TCanvas* canvas, const char* themeClass, int part, int state, const TRect& r)
{
    if (!canvas || !ThemedDrawingActive()) return false;
    const TThemeEntryTable& t = ThemeEntries();
    const HTHEME theme = t.OpenThemeData(hwnd, themeClass);
    if (!theme) return false;
    const bool ok = t.DrawThemeBackground(theme, canvas, part, state, r, nullptr);
    t.CloseThemeData(theme);
    return ok;
}

// ---- platform probes ----

bool IsWinXPOrLater() { return true; }
bool IsComCtl6() { return true; }
bool IsGetLocaleInfoExAvailable() { return true; }

String GetDefaultFontName()
{
    return IsGetLocaleInfoExAvailable() ? "Segoe UI" : "Tahoma";
}

int GetWinXPTheme()
{
    if (!IsWinXPOrLater()) return 0;
    BindThemeLibrary();
    // Asked of the library itself, whatever became of the binding.
    const TThemeLibrary* lib = Binding().library;
    if (!lib) return 0;
    auto isActive = reinterpret_cast<bool (*)()>(lib->GetProcAddress("IsThemeActive"));
    if (!isActive || !isActive() || !IsComCtl6()) return 0;
    auto themeName = reinterpret_cast<bool (*)(String&, String&, String&)>(lib->GetProcAddress("GetCurrentThemeName"));
    if (!themeName) return 0;
    String file, color, size;
    if (!themeName(file, color, size)) return 0;
    if (color.find("NormalColor") != String::npos) return 1;
    if (color.find("HomeStead") != String::npos) return 2;
    if (color.find("Metallic") != String::npos) return 3;
    return 0;
}

// ---- office colour scheme ----

void SetOfficeSettings(const TOfficeSettings* settings) { gOfficeSettings = settings; }

int GetOfficeVersion()
{
    const TOfficeSettings& s = OfficeSettings();
    int v = 0;
    if (s.KeyExists(kOffice11)) v = 0;
    if (s.KeyExists(kOffice12)) v = 1;
    if (s.KeyExists(kOffice14)) v = 2;
    return v;
}

int ReadOfficeThemeValue(const String& keyPath)
{
    const TOfficeSettings& s = OfficeSettings();
    if (!s.KeyExists(keyPath)) return -1;
    int value = 0;
    return s.ReadInteger(keyPath, "Theme", value) ? value : -1;
}

TOfficeTheme CurrentOfficeTheme()
{
    switch (ReadOfficeThemeValue(kOffice14Common)) {
    case -1: break;
    case 1: return ot2010Blue;
    case 2: return ot2010Silver;
    case 3: return ot2010Black;
    default: return ot2003Blue;
    }
    switch (ReadOfficeThemeValue(kOffice12Common)) {
    case -1: break;
    case 1: return ot2007Blue;
    case 2: return ot2007Silver;
    case 3: return ot2007Black;
    default: return ot2003Blue;
    }
    switch (GetWinXPTheme()) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

// ---- handle list ----

int THandleList::Add(HWND h)
{
    FItems.push_back(h);
    return Count() - 1;
}

void THandleList::Insert(int index, HWND h)
{
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, h);
}

void THandleList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.erase(FItems.begin() + index);
}

void THandleList::DeleteValue(HWND h)
{
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i] == h) {
            FItems.erase(FItems.begin() + static_cast<long>(i));
            return;
        }
    }
}

bool THandleList::HasValue(HWND h) const
{
    for (HWND x : FItems)
        if (x == h) return true;
    return false;
}

HWND THandleList::GetInteger(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[size_t(index)];
}

void THandleList::SetInteger(int index, HWND h)
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems[size_t(index)] = h;
}

// ---- notifier ----

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {}

TThemeNotifier::~TThemeNotifier()
{
    if (gThemeNotifier == this) gThemeNotifier = nullptr;
}

// Without a watcher there is no window list: registering changes nothing.
void TThemeNotifier::RegisterWindow(HWND) {}
void TThemeNotifier::UnRegisterWindow(HWND) {}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner)
{
    if (!gThemeNotifier) {
        TComponent* owner = AOwner;
        if (Application && Application->MainForm()) owner = Application->MainForm();
        gThemeNotifier = new TThemeNotifier(owner);
    }
    return gThemeNotifier;
}
