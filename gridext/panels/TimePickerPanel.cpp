// The time picker's panel and the rules of its text.
#include "gridext/panels/TimePickerPanel.h"

#include <cmath>

#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"

namespace {
String Two(int v)
{
    String r = IntToStr(v);
    if (r.size() < 2) r.insert(r.begin(), '0');
    return r;
}
double TimeOfDay(TDateTime t) { return t - std::floor(t); }
bool SameTime(TDateTime a, TDateTime b) { return std::fabs(TimeOfDay(a) - TimeOfDay(b)) < 0.5 / 86400000; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}   // namespace

String FormatPickerTime(TDateTime Time, bool ShowSeconds)
{
    int h, m, s, ms;
    DecodeTime(Time, h, m, s, ms);
    const String sep(1, GetTimeSeparator());
    String r = Two(h) + sep + Two(m);
    if (ShowSeconds) r += sep + Two(s);
    return r;
}

String PickerTimeMask(bool ShowSeconds)
{
    const String sep(1, GetTimeSeparator());
    return ShowSeconds ? "!90" + sep + "00" + sep + "00;1; " : "!90" + sep + "00;1; ";
}

bool StepPickerTime(const String& Text, int Caret, WORD Key, bool ShowSeconds, TDateTime& Time)
{
    if (Key != VK_UP && Key != VK_DOWN) return false;
    const char sep = GetTimeSeparator();
    const size_t first = Text.find(sep);
    const int p1 = first == String::npos ? 0 : int(first) + 1;
    const String rest = first == String::npos ? String() : Text.substr(first + 1);
    const size_t second = rest.find(sep);
    const int p2 = second == String::npos ? 0 : int(second) + 1;
    enum { Hours, Minutes, Seconds } field = Minutes;
    if (Caret < p1)
        field = Hours;
    else if (Caret - p1 >= p2 && ShowSeconds)
        field = Seconds;

    int h, m, s, ms;
    DecodeTime(Time, h, m, s, ms);
    int& v = field == Hours ? h : field == Minutes ? m : s;
    const int top = field == Hours ? 23 : 59;
    const int old = v;
    if (Key == VK_UP)
        v = v == 0 ? top : v - 1;
    else
        v = v == top ? 0 : v + 1;
    if (v == old || v < 0 || v > top) return false;
    Time = EncodeTime(h, m, s, ms);
    return true;
}

TPickerTimeRead ReadPickerTime(const String& Text, bool ShowSeconds, TDateTime& Time)
{
    const String t = Trim(Text);
    if (int(t.size()) != (ShowSeconds ? 8 : 5)) return ptNotRead;
    const char sep = GetTimeSeparator();
    const size_t first = t.find(sep);
    if (first == String::npos) return ptNotRead;
    const String afterFirst = Trim(t.substr(first + 1));
    const size_t second = afterFirst.find(sep);
    if (ShowSeconds ? second == String::npos : second != String::npos) return ptNotRead;
    if (ShowSeconds && Trim(afterFirst.substr(second + 1)).find(sep) != String::npos) return ptNotRead;

    auto number = [](String part, int& value) {
        part = Trim(part);
        for (char& c : part)
            if (c == ' ') c = '0';
        if (part.empty()) {
            value = 0;
            return true;
        }
        if (!IsDigit(part[0]) || (part.size() > 1 && !IsDigit(part[1]))) return false;
        value = StrToIntDef(part, -1);
        return value >= 0;
    };
    int h = 0, m = 0, s = 0;
    if (!number(t.substr(0, first), h)) return ptNotRead;
    if (!number(ShowSeconds ? afterFirst.substr(0, second) : afterFirst, m)) return ptNotRead;
    if (ShowSeconds && !number(afterFirst.substr(second + 1), s)) return ptNotRead;
    Time = EncodeTime(h, m, s, 0);
    if (m == 0 && s == 0 && FormatPickerTime(Time, ShowSeconds) != Text) return ptReadRewrite;
    return ptRead;
}

// ---------------------------------------------------------------- TTimePickerPanel

TTimePickerPanel::TTimePickerPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    SetShowCaption(false);
    SetBounds(0, 0, 170, 180);
    FExtWatch = new TExtWatch(this);
    FExtWatch->SetName("Watch");
    FExtWatch->SetParent(this);
    FExtWatch->SetAlign(alClient);
    // The clock with the focus hears the drop-down's keys.
    FExtWatch->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) { HandleKey(Key); };
}

void TTimePickerPanel::Prepare(const TTimePanelOptions& Options)
{
    SetBounds(Left(), Top(), 170, 170);
    SetColor(Options.Color);
    if (Options.WatchAppearance) FExtWatch->SetAppearance(Options.WatchAppearance);
    if (Options.WatchSettings) FExtWatch->SetSettings(Options.WatchSettings);
    FAuto = FExtWatch->Settings()->Auto();
    FExtWatch->SetShowAMPM(Options.ShowWatchAMPM);
    FExtWatch->SetShowNumbers(Options.ShowWatchNumbers);
    FExtWatch->SetAnimation(Options.Animation);
    FExtWatch->SetAnimationFactor(Options.AnimationFactor);
    FExtWatch->OnChange = nullptr;
    if (!FAuto) FExtWatch->SetTime(Options.Time);
    FExtWatch->OnChange = [this](TObject*) { WatchChanged(); };

    if (!Options.ShowTimePicker) {
        if (FDateTimePicker) FDateTimePicker->Hide();
        return;
    }
    if (!FDateTimePicker) {
        FDateTimePicker = new TDateTimePicker(this);
        FDateTimePicker->SetName("TimeField");
        FDateTimePicker->SetParent(this);
        FDateTimePicker->SetKind(dtkTime);
    }
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->SetAlign(alBottom);
    FDateTimePicker->Show();
    FDateTimePicker->SetTime(Options.Time);
    FDateTimePicker->BringToFront();
    FDateTimePicker->OnChange = [this](TObject*) { FieldChanged(); };
    FDateTimePicker->SetFormat(Options.ShowSeconds ? "hh:nn:ss" : "hh:nn");
    SetHeight(FDateTimePicker->Height() + 170);
}

void TTimePickerPanel::WatchChanged()
{
    const TDateTime t = FExtWatch->Time();
    if (FDateTimePicker && FDateTimePicker->Visible() && !SameTime(FDateTimePicker->Time(), t)) {
        FDateTimePicker->SetTime(t);
        if (OnTimeChange) OnTimeChange(this);
    }
    if (OnWatchTime) OnWatchTime(t);
}

void TTimePickerPanel::FieldChanged()
{
    if (!FAuto) FExtWatch->SetTime(TimeOfDay(FDateTimePicker->Time()));
}
