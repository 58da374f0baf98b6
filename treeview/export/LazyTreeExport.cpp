#include "treeview/export/LazyTreeExport.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

// ---- buffers ----

namespace {
constexpr std::size_t GrowthStep = 4096;

template <class S>
void GrowFor(S& Text, std::size_t Length)
{
    if (Text.capacity() - Text.size() > Length) return;
    const std::size_t step = (Length + GrowthStep - 1) / GrowthStep * GrowthStep;
    Text.reserve(Text.capacity() + std::max(step, GrowthStep));
}
}  // namespace

void TBufferedString::Add(const String& S)
{
    if (S.empty()) return;
    GrowFor(FText, S.size());
    FText += S;
}

void TBufferedString::AddNewLine()
{
    GrowFor(FText, 4);
    FText += "\r\n";
}

void TBufferedRawByteString::Add(const std::string& S)
{
    if (S.empty()) return;
    GrowFor(FText, S.size());
    FText += S;
}

void TBufferedRawByteString::AddNewLine()
{
    GrowFor(FText, 2);
    FText += "\r\n";
}

// ---- shared pieces ----

TClipFormat CF_CSV() { return RegisterClipboardFormat("CSV"); }
TClipFormat CF_RTF() { return RegisterClipboardFormat("Rich Text Format"); }
TClipFormat CF_RTFNOOBJS() { return RegisterClipboardFormat("Rich Text Format Without Objects"); }
TClipFormat CF_HTML() { return RegisterClipboardFormat("HTML Format"); }

namespace {
String Num(long long Value) { return std::to_string(Value); }

String ColorHex(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    char s[8];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", unsigned(rgb & 0xFF), unsigned((rgb >> 8) & 0xFF),
                  unsigned((rgb >> 16) & 0xFF));
    return s;
}

// Texts from the application go into markup: the characters that would end a text or an
// attribute early are written as entities, so a cell cannot inject or break markup.
String HtmlEscaped(const String& S)
{
    String r;
    r.reserve(S.size());
    for (char c : S) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += c;
        }
    }
    return r;
}

void AddFontStyle(TBufferedString& B, const String& Name, const TFont& Font)
{
    B.Add(Name.empty() ? String(" style=\"{") : "." + Name + "{");
    B.Add("font-family: '" + HtmlEscaped(Font.Name()) + "'; ");
    if (Font.Size() < 0)
        B.Add("font-size: " + Num(Font.Height()) + "px; ");
    else
        B.Add("font-size: " + Num(Font.Size()) + "pt; ");
    B.Add(String("font-style: ") + (Font.Style().Contains(fsItalic) ? "italic" : "normal") + "; ");
    B.Add(String("font-weight: ") + (Font.Style().Contains(fsBold) ? "bold" : "normal") + "; ");
    B.Add(String("text-decoration: ") + (Font.Style().Contains(fsUnderline) ? "underline" : "none") + "; ");
    B.Add("color: " + ColorHex(Font.Color()) + ";}");
    if (Name.empty()) B.Add("\"");
}

// A right-to-left cell mirrors left and right alignment.
TAlignment ReadingAlignment(TAlignment Alignment, TBiDiMode BiDiMode)
{
    if (BiDiMode == bdLeftToRight || Alignment == taCenter) return Alignment;
    return Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
}

String HtmlAlignment(TAlignment Alignment, TBiDiMode BiDiMode)
{
    String r = BiDiMode != bdLeftToRight ? " dir=\"rtl\"" : "";
    switch (ReadingAlignment(Alignment, BiDiMode)) {
    case taRightJustify: return r + " align=right";
    case taCenter: return r + " align=center";
    default: return r + " align=left";
    }
}

String Repeated(const String& S, std::uint32_t Count)
{
    String r;
    for (std::uint32_t i = 0; i < Count; ++i) r += S;
    return r;
}

// One export operation around Body: whatever Body ends with, the canvas gets back its
// font, pen and brush and the tree its font-change flag, and the operation is closed.
template <class F>
auto RunExport(TBaseLazyTree* Tree, bool& FontChanged, F&& Body)
{
    TCanvas* canvas = Tree->Canvas();
    const bool wasChanged = FontChanged;
    Tree->StartOperation(okExport);
    const int saved = canvas->SaveState();
    auto restore = [&] {
        canvas->RestoreState(saved);
        FontChanged = wasChanged;
    };
    try {
        auto result = Body(canvas);
        restore();
        Tree->EndOperation(okExport);
        return result;
    } catch (...) {
        restore();
        Tree->EndOperation(okExport);
        throw;
    }
}

// The columns an export writes: the visible ones by position, or one null entry (the
// tree without columns, column index -1).
std::vector<TLazyTreeColumn*> ExportColumns(TBaseLazyTree* Tree)
{
    if (!Tree->Header()->UseColumns()) return {nullptr};
    return Tree->Header()->Columns()->GetVisibleColumns();
}

TColumnIndex IndexOf(const TLazyTreeColumn* Column) { return Column ? Column->Index() : NoColumnIndex; }
}  // namespace

// ---- HTML ----

String TLazyTreeExport::Html(TCustomLazyStringTree* T, TVSTTextSourceType Source, const String& Caption)
{
    return RunExport(T, T->FFontChanged, [&](TCanvas* canvas) {
        TBufferedString b;
        TLTHeader* header = T->Header();
        const bool useColumns = header->UseColumns();
        const TColumnIndex main = header->MainColumn();
        const TLTPaintOptions paint = T->TreeOptions()->PaintOptions();
        const bool horz = paint.Contains(toShowHorzGridLines), vert = paint.Contains(toShowVertGridLines);
        const bool showStatic = T->TreeOptions()->StringOptions().Contains(toShowStaticText);
        // The tree has no inner border of its own.
        const int borderWidth = 0;

        const String cellPadding =
            "padding-left: " + Num(T->Margin()) + "px; padding-right: " + Num(T->Margin()) + "px;";
        String tableAttributes = " ";
        if (!Caption.empty()) tableAttributes += "caption=\"" + HtmlEscaped(Caption) + "\"";
        if (T->BorderStyle() != bsNone) tableAttributes += " border=\"" + Num(borderWidth + 1) + "\" frame=box";

        b.Add("<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
        b.Add("<style type=\"text/css\">");
        b.AddNewLine();
        AddFontStyle(b, "default", *T->Font());
        b.AddNewLine();
        AddFontStyle(b, "header", *header->Font());
        b.AddNewLine();
        const String lineStyle = T->LineStyle() == lsSolid ? "solid;" : "dotted;";
        if (horz)
            b.Add(".noborder{ border-bottom:1px; border-left: 0px; border-right: 0px; border-top: 1px;border-style:" +
                  lineStyle);
        else
            b.Add(".noborder{border-style: none;");
        b.Add(cellPadding);
        b.Add("}");
        b.AddNewLine();
        b.Add(".normalborder {vertical-align: top; ");
        b.Add(vert ? "border-right: 1px; border-left: 1px; " : "border-right: none; border-left:none; ");
        b.Add(horz ? "border-top: 1px; border-bottom: 1px; " : "border-top:none; border-bottom: none;");
        b.Add("border-width: thin; border-style: " + lineStyle + cellPadding + "}");
        b.Add("</style>");
        b.AddNewLine();
        b.Add("<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=" + ColorHex(T->Color()) +
              tableAttributes + " cellspacing=\"0\">");
        b.AddNewLine();

        const std::vector<TLazyTreeColumn*> columns = ExportColumns(T);
        std::function<PLazyNode(PLazyNode)> next;
        std::uint32_t maxLevel = 0;
        for (PLazyNode n = T->StartTextSource(Source, next); n; n = next(n))
            if (T->NodePassesExportFilter(n)) maxLevel = std::max(maxLevel, T->GetNodeLevel(n));

        if (useColumns) {
            T->FireBeforeHeaderExport(etHTML);
            b.Add("<tr class=\"header\" style=\"" + cellPadding + "\">");
            b.AddNewLine();
            for (TLazyTreeColumn* col : columns) {
                T->FireBeforeColumnExport(etHTML, col);
                b.Add("<th height=\"" + Num(header->Height()) + "px\"");
                b.Add(HtmlAlignment(col->CaptionAlignment(), col->BiDiMode()));
                if (maxLevel > 0 && col->Index() == main) b.Add(" colspan=\"" + Num(maxLevel + 1) + "\"");
                b.Add(" bgcolor=" + ColorHex(clBtnFace));
                b.Add(" width=\"" + Num(col->Width()) + "px\">");
                if (!col->Text().empty()) b.Add(HtmlEscaped(col->Text()));
                b.Add("</th>");
                T->FireAfterColumnExport(etHTML, col);
            }
            b.Add("</tr>");
            b.AddNewLine();
            T->FireAfterHeaderExport(etHTML);
        }

        for (PLazyNode node = T->StartTextSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
            if (!T->NodePassesExportFilter(node) || !T->FireBeforeNodeExport(etHTML, node)) continue;
            const std::uint32_t level = T->GetNodeLevel(node);
            const String height = Num(T->NodeHeight(node));
            b.Add(" <tr class=\"default\">");
            b.AddNewLine();
            for (TLazyTreeColumn* col : columns) {
                const TColumnIndex index = IndexOf(col);
                const bool parentColor = !col || col->Options().Contains(coParentColor);
                canvas->Font()->Assign(*T->Font());
                T->FFontChanged = false;
                T->FirePaintText(canvas, node, index, ttNormal);
                if (index == main) {
                    for (std::uint32_t i = 0; i < level; ++i) {
                        if (parentColor)
                            b.Add(i == 0 ? " <td height=\"" + height + "px\" class=\"normalborder\">&nbsp;</td>"
                                         : String(" <td>&nbsp;</td>"));
                        else
                            b.Add("<td class=\"noborder\" width=\"" + Num(T->Indent()) + "\" height=\"" + height +
                                  "px\"" + " bgcolor=" + ColorHex(col->Color()) + ">&nbsp;</td>");
                    }
                }
                if (T->FFontChanged) {
                    b.Add(" <td class=\"normalborder\" ");
                    AddFontStyle(b, String(), *canvas->Font());
                    b.Add(" height=\"" + height);
                } else {
                    b.Add(" <td class=\"normalborder\"  height=\"" + height);
                }
                b.Add("px\"");
                b.Add(col ? HtmlAlignment(col->Alignment(), col->BiDiMode())
                          : HtmlAlignment(T->Alignment(), T->BiDiMode()));
                if (index == main && maxLevel > 0 && level < maxLevel)
                    b.Add(" colspan=\"" + Num(maxLevel - level + 1) + "\"");
                if (col && !parentColor) b.Add(" bgcolor=" + ColorHex(col->Color()));
                b.Add(">");
                const TVSTGetCellTextEventArgs texts = CellTexts(T, node, index, etHTML);
                b.Add(HtmlEscaped(texts.CellText));
                if (!texts.StaticText.empty() && showStatic) b.Add(" " + HtmlEscaped(texts.StaticText));
                b.Add("</td>");
            }
            T->FireAfterNodeExport(etHTML, node);
            b.Add(" </tr>");
            b.AddNewLine();
        }
        b.Add("</table>");
        return b.AsString();
    });
}

// ---- RTF ----

std::string TLazyTreeExport::Rtf(TCustomLazyStringTree* T, TVSTTextSourceType Source)
{
    return RunExport(T, T->FFontChanged, [&](TCanvas* canvas) {
        TBufferedRawByteString b;
        std::vector<String> fonts;
        std::vector<TColor> colors;
        int currentFont = -1, currentColor = -1, currentSize = -1;
        TLTHeader* header = T->Header();
        const bool useColumns = header->UseColumns();
        const TColumnIndex main = header->MainColumn();
        const bool showStatic = T->TreeOptions()->StringOptions().Contains(toShowStaticText);

        auto addRtfText = [&](const String& S, const TFont& Font) {
            if (S.empty()) return;
            const TFontStyles style = Font.Style();
            if (style.Contains(fsUnderline)) b.Add("\\ul");
            if (style.Contains(fsItalic)) b.Add("\\i");
            if (style.Contains(fsBold)) b.Add("\\b");
            int fontIndex = int(std::find(fonts.begin(), fonts.end(), Font.Name()) - fonts.begin());
            if (fontIndex == int(fonts.size())) fonts.push_back(Font.Name());
            if (fontIndex != currentFont) {
                currentFont = fontIndex;
                b.Add("\\f" + Num(fontIndex));
            }
            const TColor rgb = ColorToRGB(Font.Color());
            int colorIndex = int(std::find(colors.begin(), colors.end(), rgb) - colors.begin());
            if (colorIndex == int(colors.size())) colors.push_back(rgb);
            if (colorIndex != currentColor) {
                currentColor = colorIndex;
                b.Add("\\cf" + Num(colorIndex + 1));
            }
            if (Font.Size() != currentSize) {
                currentSize = Font.Size();
                b.Add("\\fs" + Num(currentSize * 2));
            }
            b.Add(" ");
            for (char16_t c : Utf8ToUtf16(S)) {
                if (c == 10)
                    b.Add("{\\par}");
                else if (c != 13)
                    b.Add("\\u" + Num(std::int16_t(c)) + "\\'3f");
            }
            if (style.Contains(fsUnderline)) b.Add("\\ul0");
            if (style.Contains(fsItalic)) b.Add("\\i0");
            if (style.Contains(fsBold)) b.Add("\\b0");
        };
        auto rtfAlignment = [](TAlignment Alignment, TBiDiMode BiDiMode) -> std::string {
            switch (ReadingAlignment(Alignment, BiDiMode)) {
            case taRightJustify: return "\\qr";
            case taCenter: return "\\qc";
            default: return "";
            }
        };

        const int ppi = canvas->PixelsPerInchX();
        const std::vector<TLazyTreeColumn*> columns = ExportColumns(T);
        b.Add("\\uc1\\trowd\\trgaph70");
        if (useColumns) {
            long long sum = 0;
            for (TLazyTreeColumn* col : columns) {
                sum += col->Width();
                b.Add("\\cellx" + Num(std::llround(double(sum) * 1440.0 / ppi)));
            }
        } else {
            b.Add("\\cellx" + Num(std::llround(double(T->ClientWidth()) * 1440.0 / ppi)));
        }

        if (useColumns) {
            T->FireBeforeHeaderExport(etRTF);
            b.Add("\\pard\\intbl");
            for (TLazyTreeColumn* col : columns) {
                T->FireBeforeColumnExport(etRTF, col);
                const std::string align = rtfAlignment(col->CaptionAlignment(), col->BiDiMode());
                b.Add(align.empty() ? std::string("\\ql") : align);
                addRtfText(col->Text(), *header->Font());
                b.Add("\\cell");
                T->FireAfterColumnExport(etRTF, col);
            }
            b.Add("\\row");
            T->FireAfterHeaderExport(etRTF);
        }

        std::function<PLazyNode(PLazyNode)> next;
        for (PLazyNode node = T->StartTextSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
            if (!T->NodePassesExportFilter(node) || !T->FireBeforeNodeExport(etRTF, node)) continue;
            const std::uint32_t level = T->GetNodeLevel(node);
            for (TLazyTreeColumn* col : columns) {
                const TColumnIndex index = IndexOf(col);
                const TVSTGetCellTextEventArgs texts = CellTexts(T, node, index, etRTF);
                b.Add("\\pard\\intbl");
                b.Add(col ? rtfAlignment(col->Alignment(), col->BiDiMode())
                          : rtfAlignment(T->Alignment(), T->BiDiMode()));
                canvas->Font()->Assign(*T->Font());
                T->FFontChanged = false;
                T->FirePaintText(canvas, node, index, ttNormal);
                if (index == main && level >= 1) b.Add(Repeated("\\tab", level) + " ");
                addRtfText(texts.CellText, *canvas->Font());
                if (!texts.StaticText.empty() && showStatic) {
                    T->FirePaintText(canvas, node, index, ttStatic);
                    addRtfText(" " + texts.StaticText, *canvas->Font());
                }
                b.Add("\\cell");
            }
            b.Add("\\row");
            b.AddNewLine();
            T->FireAfterNodeExport(etRTF, node);
        }
        b.Add("\\pard\\par");

        TBufferedRawByteString doc;
        doc.Add("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl");
        for (std::size_t i = 0; i < fonts.size(); ++i) doc.Add("{\\f" + Num((long long)i) + " " + fonts[i] + ";}");
        doc.Add("}{\\colortbl;");
        for (TColor c : colors)
            doc.Add("\\red" + Num(c & 0xFF) + "\\green" + Num((c >> 8) & 0xFF) + "\\blue" + Num((c >> 16) & 0xFF) +
                    ";");
        doc.Add("}");
        doc.Add(IsMeasurementMetric() ? "\\paperw16840\\paperh11907" : "\\paperw15840\\paperh12240");
        doc.Add("\\margl720\\margr720\\margt720\\margb720");
        doc.Add(b.AsString());
        doc.Add("}");
        return doc.AsString();
    });
}

// ---- separated text ----

String TLazyTreeExport::Text(TCustomLazyStringTree* T, TVSTTextSourceType Source, const String& Separator)
{
    return RunExport(T, T->FFontChanged, [&](TCanvas*) {
        TBufferedString b;
        TLTHeader* header = T->Header();
        const TColumnIndex main = header->MainColumn();
        const bool showStatic = T->TreeOptions()->StringOptions().Contains(toShowStaticText);
        std::function<PLazyNode(PLazyNode)> next;
        std::uint32_t maxLevel = 0;
        for (PLazyNode n = T->StartTextSource(Source, next); n; n = next(n))
            maxLevel = std::max(maxLevel, T->GetNodeLevel(n));
        const String levelFill = Repeated(Separator, maxLevel);

        if (header->UseColumns()) {
            const std::vector<TLazyTreeColumn*> columns = ExportColumns(T);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                b.Add(columns[i]->Text());
                if (i + 1 < columns.size()) {
                    if (columns[i]->Index() == main) b.Add(levelFill);
                    b.Add(Separator);
                }
            }
            b.AddNewLine();
            for (PLazyNode node = T->StartTextSource(Source, next); node && !T->OperationCanceled();
                 node = next(node)) {
                const std::uint32_t level = T->GetNodeLevel(node);
                for (std::size_t i = 0; i < columns.size(); ++i) {
                    const TColumnIndex index = columns[i]->Index();
                    const TVSTGetCellTextEventArgs texts = CellTexts(T, node, index, etText);
                    if (index == main) b.Add(Repeated(Separator, level));
                    String text = texts.CellText;
                    if (!texts.StaticText.empty() && showStatic) text += " " + texts.StaticText;
                    if (!Separator.empty() && text.find(Separator) != String::npos) {
                        String quoted = "\"";
                        for (char c : text) {
                            if (c == '"') quoted += '"';
                            quoted += c;
                        }
                        text = quoted + "\"";
                    }
                    b.Add(text);
                    if (index == main) b.Add(Repeated(Separator, maxLevel - level));
                    if (i + 1 < columns.size()) b.Add(Separator);
                }
                b.AddNewLine();
            }
        } else {
            for (PLazyNode node = T->StartTextSource(Source, next); node && !T->OperationCanceled();
                 node = next(node)) {
                b.Add(Repeated(Separator, T->GetNodeLevel(node)));
                b.Add(CellTexts(T, node, NoColumnIndex, etText).CellText);
                b.AddNewLine();
            }
        }
        return b.AsString();
    });
}

// ---- custom ----

void TLazyTreeExport::Custom(TCustomLazyStringTree* T, TVSTTextSourceType Source)
{
    RunExport(T, T->FFontChanged, [&](TCanvas*) {
        T->FireBeforeTreeExport(etCustom);
        TLTHeader* header = T->Header();
        if (header->UseColumns() && header->Options().Contains(hoVisible)) {
            T->FireBeforeHeaderExport(etCustom);
            for (TLazyTreeColumn* col : header->Columns()->GetVisibleColumns()) {
                T->FireBeforeColumnExport(etCustom, col);
                T->FireColumnExport(etCustom, col);
                T->FireAfterColumnExport(etCustom, col);
            }
            T->FireAfterHeaderExport(etCustom);
        }
        std::function<PLazyNode(PLazyNode)> next;
        for (PLazyNode node = T->StartTextSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
            if (!T->NodePassesExportFilter(node)) continue;
            T->FireBeforeNodeExport(etCustom, node);
            T->FireNodeExport(etCustom, node);
            T->FireAfterNodeExport(etCustom, node);
        }
        T->FireAfterTreeExport(etCustom);
        return 0;
    });
}

TVSTGetCellTextEventArgs TLazyTreeExport::CellTexts(TCustomLazyStringTree* T, PLazyNode Node, TColumnIndex Column,
                                                    TLTExportType ExportType)
{
    TVSTGetCellTextEventArgs e;
    e.Node = Node;
    e.Column = Column;
    e.CellText = T->DefaultText();
    e.ExportType = ExportType;
    T->FireGetCellText(e);
    return e;
}

// ---- entry points ----

String ExportTreeToHtml(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Caption)
{
    return TLazyTreeExport::Html(Tree, Source, Caption);
}

std::string ExportTreeToRtf(TCustomLazyStringTree* Tree, TVSTTextSourceType Source)
{
    return TLazyTreeExport::Rtf(Tree, Source);
}

String ExportTreeToText(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Separator)
{
    return TLazyTreeExport::Text(Tree, Source, Separator);
}

void ExportTreeToCustom(TCustomLazyStringTree* Tree, TVSTTextSourceType Source)
{
    TLazyTreeExport::Custom(Tree, Source);
}

void MakeHtmlClipboardData(std::string& Data)
{
    static const char* const Start = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
                                     "<html><head><META http-equiv=Content-Type content=\"text/html; "
                                     "charset=utf-8\"></head><body><!--StartFragment-->";
    static const char* const End = "<!--EndFragment--></body></html>";
    const long long n = (long long)Data.size();
    char header[128];
    std::snprintf(header, sizeof header,
                  "Version:1.0\r\nStartHTML:%.8lld\r\nEndHTML:%.8lld\r\nStartFragment:%.8lld\r\nEndFragment:%.8lld\r\n",
                  97LL, 301 + n, 269LL, 269 + n);
    Data = header + (Start + Data) + End;
}

std::string ExportTreeToClipboard(TCustomLazyStringTree* Tree, TClipFormat Format, TVSTTextSourceType Source)
{
    std::string data;
    if (Format == CF_TEXT) {
        data = Utf8ToCp1252(ExportTreeToText(Tree, Source, "\t"));
        data += '\0';
    } else if (Format == CF_UNICODETEXT) {
        const std::u16string text = Utf8ToUtf16(ExportTreeToText(Tree, Source, "\t")) + u'\0';
        data.reserve(2 * text.size());
        for (char16_t c : text) {
            data += char(c & 0xFF);
            data += char(c >> 8);
        }
    } else if (Format == CF_CSV()) {
        data = Utf8ToCp1252(ExportTreeToText(Tree, Source, String(1, GetListSeparator())));
        data += '\0';
    } else if (Format == CF_RTF() || Format == CF_RTFNOOBJS()) {
        data = ExportTreeToRtf(Tree, Source);
        data += '\0';
    } else if (Format == CF_HTML()) {
        data = ExportTreeToHtml(Tree, Source);
        MakeHtmlClipboardData(data);
        data += '\0';
    }
    return data;
}
