// Visual styles and the office colour scheme: the binding, its classic fallback, the
// office lookups, and the themed drawing of check boxes, radio buttons and buttons.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridTheme.h"
#include "platform/gui/Forms.h"

namespace {

std::vector<TColor> Paint(int w, int h, const std::function<void(TCanvas*)>& draw)
{
    Application->Initialize();
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(RGB(1, 2, 3));
    c->FillRect(TRect(0, 0, w, h));
    draw(c);
    std::vector<TColor> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px.push_back(c->Pixels(x, y));
    return px;
}

std::vector<TColor> ThemedPart(const char* cls, int part, int state)
{
    return Paint(16, 16, [&](TCanvas* c) { EXPECT_TRUE(DrawThemedPart(0, c, cls, part, state, TRect(1, 1, 15, 15))); });
}

std::vector<TColor> FramePart(unsigned type, unsigned state)
{
    return Paint(16, 16, [&](TCanvas* c) { EXPECT_TRUE(DrawFrameControl(c, TRect(1, 1, 14, 14), type, state)); });
}

// A style library that hands out our entries, minus one, or with another colour scheme.
class TestLibrary : public TThemeLibrary {
public:
    const char* Missing = nullptr;
    void* ThemeName = nullptr;
    void* GetProcAddress(const char* name) const override
    {
        if (Missing && std::strcmp(name, Missing) == 0) return nullptr;
        if (ThemeName && std::strcmp(name, "GetCurrentThemeName") == 0) return ThemeName;
        return BuiltInThemeLibrary()->GetProcAddress(name);
    }
};

bool BlueScheme(String& file, String& color, String& size)
{
    file = "Luna.msstyles";
    color = "NormalColor";
    size = "NormalSize";
    return true;
}

// Restores the built-in binding after a test that binds another library.
class ThemeBindingTest : public ::testing::Test {
protected:
    void TearDown() override { BindThemeLibraryFrom(BuiltInThemeLibrary()); }
};

TEST(GridTheme, LinuxAnswersNoOfficeSuiteAndOurOwnStyle)
{
    EXPECT_TRUE(ThemeLibraryLoaded());
    EXPECT_TRUE(ThemedDrawingActive());
    EXPECT_EQ(GetOfficeVersion(), 0);
    EXPECT_EQ(ReadOfficeThemeValue("Software\\Microsoft\\Office\\14.0\\Common"), -1);
    EXPECT_EQ(ReadOfficeThemeValue("Software\\Microsoft\\Office\\12.0\\Common"), -1);
    // Our style is none of the three XP colour schemes: the classic office look.
    EXPECT_EQ(GetWinXPTheme(), 0);
    EXPECT_EQ(CurrentOfficeTheme(), ot2003Classic);
    EXPECT_EQ(GetDefaultFontName(), "Segoe UI");

    TComponent owner(nullptr);
    TThemeNotifier* n = GetThemeNotifier(&owner);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(GetThemeNotifier(nullptr), n);   // one per process
    EXPECT_FALSE(n->HasMonitor());
    n->RegisterWindow(42);
    n->UnRegisterWindow(42);
}

TEST(GridTheme, NotifierIsForgottenWithItsOwner)
{
    if (Application->MainForm()) GTEST_SKIP() << "a main form owns the notifier";
    TThemeNotifier* first = nullptr;
    {
        TComponent owner(nullptr);
        first = GetThemeNotifier(&owner);
        EXPECT_EQ(first->Owner(), &owner);
    }
    TComponent owner(nullptr);
    TThemeNotifier* second = GetThemeNotifier(&owner);
    EXPECT_EQ(second->Owner(), &owner);   // a new one, not the freed one
}

TEST(GridTheme, OfficeSchemeFromTheSettingsWhereThereAreAny)
{
    struct Store : TOfficeSettings {
        std::map<String, int> values;   // key -> Theme (INT32_MIN: key without the value)
        bool KeyExists(const String& k) const override { return values.count(k) > 0; }
        bool ReadInteger(const String& k, const String& name, int& v) const override
        {
            auto it = values.find(k);
            if (it == values.end() || name != "Theme" || it->second == INT32_MIN) return false;
            v = it->second;
            return true;
        }
    };
    const String k14 = "Software\\Microsoft\\Office\\14.0\\Common", k12 = "Software\\Microsoft\\Office\\12.0\\Common";
    const String g11 = "Software\\Microsoft\\Office\\11.0\\Common\\General";
    const String g12 = "Software\\Microsoft\\Office\\12.0\\Common\\General";
    const String g14 = "Software\\Microsoft\\Office\\14.0\\Common\\General";
    struct Case { std::map<String, int> values; TOfficeTheme theme; int version; };
    const Case cases[] = {
        {{{k14, 3}, {k12, 1}, {g12, 0}, {g14, 0}}, ot2010Black, 2},
        {{{k14, INT32_MIN}, {k12, 2}, {g12, 0}}, ot2007Silver, 1},   // 2010 without a value: 2007 decides
        {{{k14, 4}, {k12, 1}}, ot2003Blue, 0},                       // unknown value: no further look
        {{{k12, 1}, {g11, 0}, {g12, 0}}, ot2007Blue, 1},
        {{{k14, 1}}, ot2010Blue, 0},
        {{{k14, 2}}, ot2010Silver, 0},
        {{{k12, 3}}, ot2007Black, 0},
        {{{g11, 0}}, ot2003Classic, 0},
        {{{g11, 0}, {g14, 0}}, ot2003Classic, 2},
    };
    for (const Case& k : cases) {
        Store s;
        s.values = k.values;
        SetOfficeSettings(&s);
        EXPECT_EQ(CurrentOfficeTheme(), k.theme);
        EXPECT_EQ(GetOfficeVersion(), k.version);
    }
    SetOfficeSettings(nullptr);
    EXPECT_EQ(CurrentOfficeTheme(), ot2003Classic);

    struct Map { TOfficeTheme t; TWYXStyle s; };
    for (Map m : {Map{ot2003Blue, tsOffice2003Blue}, Map{ot2003Silver, tsOffice2003Silver},
                  Map{ot2003Olive, tsOffice2003Olive}, Map{ot2003Classic, tsOffice2003Classic},
                  Map{ot2007Blue, tsOffice2007Luna}, Map{ot2007Silver, tsOffice2007Silver},
                  Map{ot2007Black, tsOffice2007Obsidian}, Map{ot2010Blue, tsOffice2010Blue},
                  Map{ot2010Silver, tsOffice2010Silver}, Map{ot2010Black, tsOffice2010Black}})
        EXPECT_EQ(OfficeThemeToStyle(m.t), m.s) << int(m.t);
}

TEST_F(ThemeBindingTest, ColourSchemeOfTheStyleDecidesWithoutOffice)
{
    TestLibrary lib;
    lib.ThemeName = reinterpret_cast<void*>(&BlueScheme);
    BindThemeLibraryFrom(&lib);
    EXPECT_EQ(GetWinXPTheme(), 1);
    EXPECT_EQ(CurrentOfficeTheme(), ot2003Blue);
}

TEST_F(ThemeBindingTest, MissingEntryPaintsClassicInsteadOfStopping)
{
    const auto classic = Paint(40, 20, [](TCanvas* c) {
        DrawPushButton(c, 0, TRect(0, 0, 40, 20), bkClassic, bstNormal, TColorTones());
    });
    const auto themed = Paint(40, 20, [](TCanvas* c) {
        DrawPushButton(c, 0, TRect(0, 0, 40, 20), bkThemed, bstNormal, TColorTones());
    });
    ASSERT_NE(themed, classic);

    for (const char* missing : {"DrawThemeBackground", "GetCurrentThemeName", "OpenThemeData"}) {
        TestLibrary lib;
        lib.Missing = missing;
        BindThemeLibraryFrom(&lib);
        EXPECT_FALSE(ThemeLibraryLoaded()) << missing;
        EXPECT_FALSE(ThemedDrawingActive()) << missing;
        EXPECT_EQ(ThemeEntries().OpenThemeData, nullptr) << missing;   // nothing half-bound
        const auto fallback = Paint(40, 20, [](TCanvas* c) {
            DrawPushButton(c, 0, TRect(0, 0, 40, 20), bkThemed, bstNormal, TColorTones());
        });
        EXPECT_EQ(fallback, classic) << missing;
    }
    BindThemeLibraryFrom(nullptr);   // no library at all
    EXPECT_FALSE(ThemeLibraryLoaded());
    EXPECT_EQ(GetWinXPTheme(), 0);
    BindThemeLibraryFrom(BuiltInThemeLibrary());
    EXPECT_TRUE(ThemeLibraryLoaded());
}

TEST(GridThemeDrawing, CheckBoxesAndRadioButtonsShowTheirState)
{
    // Every state of a check box looks different from the others that differ in one respect.
    const auto unchecked = ThemedPart(VSCLASS_BUTTON, BP_CHECKBOX, CBS_UNCHECKEDNORMAL);
    const auto checked = ThemedPart(VSCLASS_BUTTON, BP_CHECKBOX, CBS_CHECKEDNORMAL);
    const auto mixed = ThemedPart(VSCLASS_BUTTON, BP_CHECKBOX, CBS_MIXEDNORMAL);
    EXPECT_NE(unchecked, checked);
    EXPECT_NE(checked, mixed);
    EXPECT_NE(unchecked, mixed);
    EXPECT_NE(ThemedPart(VSCLASS_BUTTON, BP_CHECKBOX, CBS_CHECKEDDISABLED), checked);
    EXPECT_NE(ThemedPart(VSCLASS_BUTTON, BP_CHECKBOX, CBS_UNCHECKEDHOT), unchecked);
    EXPECT_NE(ThemedPart(VSCLASS_BUTTON, BP_RADIOBUTTON, RBS_CHECKEDNORMAL),
              ThemedPart(VSCLASS_BUTTON, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL));
    // The box is drawn centred in the rectangle, leaving the outside alone.
    EXPECT_EQ(checked.front(), RGB(1, 2, 3));
    EXPECT_NE(checked[8 * 16 + 8], RGB(1, 2, 3));

    const auto plain = FramePart(DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_NE(FramePart(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED), plain);
    EXPECT_NE(FramePart(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT), plain);
    EXPECT_NE(FramePart(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE), plain);
    EXPECT_NE(FramePart(DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED), FramePart(DFC_BUTTON, DFCS_BUTTONRADIO));
    EXPECT_NE(FramePart(DFC_SCROLL, DFCS_SCROLLUP), FramePart(DFC_SCROLL, DFCS_SCROLLDOWN));
}

TEST(GridThemeDrawing, EntriesAnswerForTheirOwnPartsOnly)
{
    const TThemeEntryTable& t = ThemeEntries();
    const HTHEME button = t.OpenThemeData(0, "button");
    ASSERT_NE(button, 0u);
    EXPECT_EQ(t.OpenThemeData(0, "nosuchclass"), 0u);
    EXPECT_NE(t.OpenThemeData(0, "Unknown; Header"), 0u);   // the first known class of a list
    EXPECT_TRUE(t.IsThemePartDefined(button, BP_CHECKBOX, CBS_MIXEDDISABLED));
    EXPECT_FALSE(t.IsThemePartDefined(button, 7, 1));
    TColor col = clNone;
    EXPECT_TRUE(t.GetThemeColor(button, BP_PUSHBUTTON, PBS_DISABLED, TMT_TEXTCOLOR, col));
    TColor normal = clNone;
    EXPECT_TRUE(t.GetThemeColor(button, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, normal));
    EXPECT_NE(col, normal);
    TRect content;
    EXPECT_TRUE(t.GetThemeBackgroundContentRect(button, BP_PUSHBUTTON, PBS_NORMAL, TRect(0, 0, 40, 20), content));
    EXPECT_TRUE(content.Left > 0 && content.Right < 40);
    // A part the class lacks draws nothing and says so.
    Paint(10, 10, [&](TCanvas* c) { EXPECT_FALSE(t.DrawThemeBackground(button, c, 9, 1, TRect(0, 0, 10, 10), nullptr)); });
    EXPECT_TRUE(t.CloseThemeData(button));
}

TEST(GridTheme, HandleList)
{
    THandleList l;
    l.Add(5);
    l.Add(7);
    l.Insert(0, 3);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.GetInteger(0), 3u);
    EXPECT_TRUE(l.HasValue(7));
    l.DeleteValue(7);
    l.DeleteValue(99);
    EXPECT_FALSE(l.HasValue(7));
    l.SetInteger(1, 9);
    EXPECT_EQ(l.GetInteger(1), 9u);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 1);
    EXPECT_THROW(l.GetInteger(1), EListError);
}

} // namespace
