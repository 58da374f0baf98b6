#pragma once
// The renderers behind the string tree's ContentTo... methods: HTML, RTF, separated text,
// the clipboard blocks of the text formats, and an export that only fires events. Each
// runs as one cancellable export operation of the tree and asks every cell's texts
// through the tree's text events with the export type set, so an application may answer
// differently for an export. Whatever an export ends with (done, cancelled or an
// exception from an event), the tree's canvas keeps the font, pen and brush it had.
#include <string>

#include "platform/gui/Clipbrd.h"
#include "treeview/LazyStringTree.h"

// Output that grows in steps of at least 4096 characters, so a long export copies each
// character a bounded number of times.
class TBufferedString {
public:
    void Add(const String& S);
    void AddNewLine();
    String AsString() const { return FText; }

private:
    String FText;
};

// The same for 8-bit output (RTF).
class TBufferedRawByteString {
public:
    void Add(const std::string& S);
    void AddNewLine();
    std::string AsString() const { return FText; }

private:
    std::string FText;
};

String ExportTreeToHtml(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Caption = String());
std::string ExportTreeToRtf(TCustomLazyStringTree* Tree, TVSTTextSourceType Source);
String ExportTreeToText(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Separator);
// The bytes of one clipboard format with their terminating zero; empty for a format the
// tree does not render.
std::string ExportTreeToClipboard(TCustomLazyStringTree* Tree, TClipFormat Format, TVSTTextSourceType Source);
void ExportTreeToCustom(TCustomLazyStringTree* Tree, TVSTTextSourceType Source);
// Wraps an HTML fragment (UTF-8) in the clipboard's HTML block: a header with the byte
// offsets of the document and the fragment, then the document around the fragment.
void MakeHtmlClipboardData(std::string& Data);

// The clipboard formats the string tree renders besides the two text formats.
TClipFormat CF_CSV();
TClipFormat CF_RTF();
TClipFormat CF_RTFNOOBJS();
TClipFormat CF_HTML();

// The renderers' way into the tree's text and paint events.
class TLazyTreeExport {
public:
    static String Html(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Caption);
    static std::string Rtf(TCustomLazyStringTree* Tree, TVSTTextSourceType Source);
    static String Text(TCustomLazyStringTree* Tree, TVSTTextSourceType Source, const String& Separator);
    static void Custom(TCustomLazyStringTree* Tree, TVSTTextSourceType Source);

private:
    // Both texts of a cell, the normal one starting from the tree's default text as on
    // screen.
    static TVSTGetCellTextEventArgs CellTexts(TCustomLazyStringTree* Tree, PLazyNode Node, TColumnIndex Column,
                                              TLTExportType ExportType);
};
