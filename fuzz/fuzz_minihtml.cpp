// Mini-HTML from cells, hints and files: the markup helpers and the renderer, painting,
// measuring and hit-testing on a bitmap. The first byte chooses the renderer's switches,
// the next two the hit point; the rest is the text. Besides not crashing, the helpers
// must keep what they promise and the renderer must leave the canvas as it found it.
#include <cctype>

#include "fuzz/FuzzCommon.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/html/PictureContainer.h"

namespace {
TBitmap* Bitmap = nullptr;
// One tiny named picture, so that pictures and body backgrounds are laid out and tiled.
// No picture cache: an address in the text must not make the fuzzer read files.
TPictureContainer* Pictures = nullptr;

bool PlainID(const String& s)
{
    if (s.empty()) return false;
    for (unsigned char c : s)
        if (!std::isalnum(c)) return false;
    return true;
}

void Helpers(const String& s)
{
    for (bool named : {false, true})
        fuzz::Check(UnescapeHTML(EscapeHTML(s, named), named) == s, "escaping is undone by unescaping",
                    fuzz::Printable(s));
    StripHTMLTags(s);
    StripHTMLToText(s);
    const String marked = HighlightHTMLText(s, "a", "hi", false);
    UnHighlightHTMLText(marked, "hi");
    ClearHTMLRadioControls(s);
    for (String id = NextHTMLEditControl(s, ""); PlainID(id);) {
        String text = s;
        fuzz::Check(SetHTMLControlValue(text, id, "v\"<&>"), "a control that was found is written", fuzz::Printable(s));
        String v;
        fuzz::Check(GetHTMLControlValue(text, id, v) && v == "v\"<&>", "a written value reads back", fuzz::Printable(s));
        GetHTMLControlProp(s, id);
        GetHTMLControlMaxLen(s, id);
        break;
    }
}

void Render(uint8_t Switches, int X, int Y, const String& s)
{
    TCanvas* C = Bitmap->Canvas();
    C->Font()->SetName("Tahoma");
    C->Font()->SetSize(9);
    C->Font()->SetColor(clBlack);
    C->Pen()->SetColor(clTeal);
    C->Pen()->SetWidth(2);
    C->Brush()->SetColor(clWhite);
    C->Brush()->SetStyle(bsSolid);
    TMiniHTMLParams p;
    p.WordWrap = Switches & 1;
    p.MeasureOnly = Switches & 2;
    p.HitTestOnly = Switches & 4;
    p.Selected = Switches & 8;
    p.BlinkOn = Switches & 16;
    p.HoverStyle = Switches & 32;
    p.HoverLink = 1;
    p.FocusLink = (Switches & 64) ? 0 : -1;
    p.HoverColor = (Switches & 128) ? clYellow : clNone;
    p.X = X;
    p.Y = Y;
    p.PictureContainer = Pictures;
    RenderMiniHTML(C, s, TRect(0, 0, 160, 80), p);
    fuzz::Check(p.XSize >= 0 && p.YSize > 0, "the layout has a size", fuzz::Printable(s));
    fuzz::Check(p.HyperLinks >= 0 && p.MouseLink >= -1 && p.MouseLink <= p.HyperLinks, "anchors are counted",
                fuzz::Printable(s));
    fuzz::Check(C->Font()->Name() == "Tahoma" && C->Font()->Size() == 9 && C->Font()->Color() == clBlack &&
                    C->Font()->Style() == TFontStyles() && C->Pen()->Color() == clTeal && C->Pen()->Width() == 2 &&
                    C->Brush()->Color() == clWhite && C->Brush()->Style() == bsSolid,
                "the canvas comes back as it was", fuzz::Printable(s));
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Bitmap = new TBitmap(160, 80);
    TBitmap dot(2, 1);
    dot.Canvas()->SetPixels(0, 0, clRed);
    Pictures = new TPictureContainer(nullptr);
    TPictureItem* item = Pictures->Items()->Add();
    item->SetName("P");
    const String path = (std::filesystem::temp_directory_path() / "fuzz_minihtml_dot.png").string();
    dot.SaveToFile(path);
    item->Picture()->LoadFromFile(path);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 3) return 0;
    const String text(fuzz::Bytes(Data + 3, Size - 3));
    Helpers(text);
    Render(Data[0], Data[1], Data[2] % 80, text);
    return 0;
}
