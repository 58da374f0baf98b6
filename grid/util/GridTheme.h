#pragma once
// Visual styles and the office colour scheme, as the grid, its cell controls, in-place
// editors and drop-down controls use them.
//
// Visual styles: the painters ask the process-wide entry table for the themed drawing
// of a part ("button" check box, radio button, push button; "combobox" drop-down
// button; "spin" buttons; "header" items) and take their classic branch (the frame
// controls below) whenever the table is not bound. The table is bound from our own
// themed drawing, drawn with TCanvas in a flat, modern style; a style library that
// lacks an entry leaves the table unbound, so the program paints classic instead of
// stopping.
//
// Office colour scheme: this platform has no office suite settings to read, so the
// lookups answer "not present": no office version, no scheme value, no watcher thread.
#include <cstdint>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

// ---- style types shared with the grid and its drop-down controls ----
enum TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
    ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

enum TWYXStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
    tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// Implemented by the grid and its drop-down controls.
class IWYXTones {
public:
    virtual ~IWYXTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

class IWYXStyle {
public:
    virtual ~IWYXStyle() = default;
    virtual void SetComponentStyle(TWYXStyle AStyle) = 0;
};

// The grid's style for an office scheme (otUnknown: tsWindowsXP).
TWYXStyle OfficeThemeToStyle(TOfficeTheme t);

// ---- visual styles ----
using HTHEME = std::uintptr_t;   // 0 = no theme data

// Classes, parts and states of the themed drawing.
constexpr const char* VSCLASS_BUTTON = "button";
constexpr const char* VSCLASS_COMBOBOX = "combobox";
constexpr const char* VSCLASS_SPIN = "spin";
constexpr const char* VSCLASS_HEADER = "header";

constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
// Push button states.
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// Check box states: unchecked 1..4, checked 5..8, mixed 9..12 (normal, hot, pressed, disabled).
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3, CBS_UNCHECKEDDISABLED = 4;
constexpr int CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8;
constexpr int CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;
// Radio button states: unchecked 1..4, checked 5..8.
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3, RBS_UNCHECKEDDISABLED = 4;
constexpr int RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
constexpr int SPNP_UP = 1, SPNP_DOWN = 2;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
constexpr int DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4;
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
// Colour properties of GetThemeColor.
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

// The entry points of the visual styles, in binding order. A library hands them out by
// name; the binder takes all of them or none.
struct TThemeEntryTable {
    HTHEME (*OpenThemeData)(HWND hwnd, const char* classList) = nullptr;
    bool (*CloseThemeData)(HTHEME theme) = nullptr;
    bool (*DrawThemeBackground)(HTHEME theme, TCanvas* canvas, int part, int state, const TRect& r,
                                const TRect* clip) = nullptr;
    bool (*DrawThemeText)(HTHEME theme, TCanvas* canvas, int part, int state, const String& text,
                          unsigned flags, const TRect& r) = nullptr;
    bool (*GetThemeBackgroundContentRect)(HTHEME theme, int part, int state, const TRect& bounds,
                                          TRect& content) = nullptr;
    bool (*IsThemePartDefined)(HTHEME theme, int part, int state) = nullptr;
    bool (*GetThemeColor)(HTHEME theme, int part, int state, int prop, TColor& color) = nullptr;
    bool (*IsThemeActive)() = nullptr;
    bool (*IsAppThemed)() = nullptr;
    bool (*GetCurrentThemeName)(String& fileName, String& colorName, String& sizeName) = nullptr;
};
constexpr int ThemeEntryCount = 10;
// Names of the entries, in the order of TThemeEntryTable.
extern const char* const ThemeEntryNames[ThemeEntryCount];

// A visual-styles library: hands out an entry by name, nullptr when it has none.
class TThemeLibrary {
public:
    virtual ~TThemeLibrary() = default;
    virtual void* GetProcAddress(const char* name) const = 0;
};
// Our own themed drawing.
const TThemeLibrary* BuiltInThemeLibrary();

// Binds the entry table once from the built-in library (the first use binds it too).
void BindThemeLibrary();
// Binds from another library (nullptr: no library); a library lacking an entry leaves
// the table empty and the flag clear. Frees an earlier binding first.
void BindThemeLibraryFrom(const TThemeLibrary* lib);
void ReleaseThemeLibrary();
bool ThemeLibraryLoaded();
// The process-wide table (empty entries when not bound); binds on first use.
const TThemeEntryTable& ThemeEntries();
// Themed painting is possible: the table is bound and reports themes active.
bool ThemedDrawingActive();
// Opens the class, draws the part and closes the class again; false (nothing drawn) when
// themed painting is not possible, so the caller takes its classic branch.
bool DrawThemedPart(HWND hwnd, TCanvas* canvas, const char* themeClass, int part, int state, const TRect& r);

// ---- platform probes ----
bool IsWinXPOrLater();               // this platform counts as a current desktop: true
bool IsComCtl6();                    // true
bool IsGetLocaleInfoExAvailable();   // true
String GetDefaultFontName();         // "Segoe UI" (or "Tahoma" on an older desktop)
// Colour scheme of the visual style: 1 "NormalColor", 2 "HomeStead", 3 "Metallic", else 0.
int GetWinXPTheme();

// ---- office colour scheme ----
// Where the office suite's settings would be read. The default store has none.
class TOfficeSettings {
public:
    virtual ~TOfficeSettings() = default;
    virtual bool KeyExists(const String& keyPath) const { return false; }
    virtual bool ReadInteger(const String& keyPath, const String& name, int& value) const { return false; }
};
// Replaces the store the lookups read (nullptr: the platform's, which has none).
void SetOfficeSettings(const TOfficeSettings* settings);

// 0 none (or 11.0 only), 1 version 12.0, 2 version 14.0.
int GetOfficeVersion();
// The integer "Theme" of the key; -1 when the key or the value is missing.
int ReadOfficeThemeValue(const String& keyPath);
// Never otUnknown; without office settings it follows the visual style.
TOfficeTheme CurrentOfficeTheme();

// Sent to registered windows when the office colour scheme changes.
constexpr unsigned WM_OFFICETHEMECHANGED = 0x0BB1;

// Window handles, for the notifier.
class THandleList {
public:
    int Count() const { return int(FItems.size()); }
    int Add(HWND h);
    void Insert(int index, HWND h);
    void Delete(int index);
    void DeleteValue(HWND h);   // first equal entry, if any
    bool HasValue(HWND h) const;
    HWND GetInteger(int index) const;
    void SetInteger(int index, HWND h);
private:
    std::vector<HWND> FItems;
};

// Tells registered windows when the office colour scheme changes. Change notifications
// need the office suite's settings, which this platform does not have: the notifier
// never has a watcher, and registering a window has no effect.
class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;
    void RegisterWindow(HWND hwnd);
    void UnRegisterWindow(HWND hwnd);
    // Whether a registry watcher runs (never on this platform).
    bool HasMonitor() const { return false; }
    TNotifyEvent OnOfficeThemeChange;
};
// The process-wide notifier, created on first use, owned by the application's main
// form when there is one, else by the given owner.
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);

// ---- classic painting (frame controls) ----
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;
// DFC_BUTTON kinds
constexpr unsigned DFCS_BUTTONCHECK = 0x0000;
constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
constexpr unsigned DFCS_BUTTON3STATE = 0x0008;
constexpr unsigned DFCS_BUTTONPUSH = 0x0010;
// DFC_SCROLL kinds
constexpr unsigned DFCS_SCROLLUP = 0x0000;
constexpr unsigned DFCS_SCROLLDOWN = 0x0001;
constexpr unsigned DFCS_SCROLLLEFT = 0x0002;
constexpr unsigned DFCS_SCROLLRIGHT = 0x0003;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x0005;
// state flags
constexpr unsigned DFCS_INACTIVE = 0x0100;
constexpr unsigned DFCS_PUSHED = 0x0200;
constexpr unsigned DFCS_CHECKED = 0x0400;
constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;
constexpr unsigned DFCS_HOT = 0x1000;

// Draws a classic three-dimensional (or flat) check box, radio button, push button or
// scroll arrow into r.
bool DrawFrameControl(TCanvas* canvas, TRect r, unsigned type, unsigned state);
