#pragma once
// Copy, cut and paste of a grid's cells through the clipboard: as text (a tab between
// cells, CR LF after each row of a block), as the grid's own cell block (the binary cell
// stream, so that properties travel between grids), as rich text of one cell and as an
// HTML page; pasting fills from a cell onwards, grows the grid when allowed and, with
// the smart clipboard, spreads one value or a number series over the selection.
//
// A cell of several lines is copied as one field in double quotes (quotes inside it
// doubled), its line breaks each one LF; pasting such a field gives the cell its CR LF
// breaks back, one for one. Clipboard data may come from any program: a block beyond
// the readers' size limits is refused before any cell changes (EExtGridError).
#include "grid/core/ExtGrid.h"
#include "platform/gui/Clipbrd.h"

namespace GridClipboard {

// The registered formats: the grid's cell block, rich text and HTML.
TClipFormat GridCellsClipboardFormat();
TClipFormat RTFClipboardFormat();
TClipFormat HTMLClipboardFormat();

// The text of a rectangle of displayed cells (the rows and columns a disjunct selection
// holds when Disjunct).
String GetRangeAsText(TExtStringGrid& Grid, const TGridRect& R, bool Disjunct);
// The clipboard becomes that text, with the rich text of the top-left cell
// (AllowRTFClipboard) and the cell block (AllowFmtClipboard).
void CopyRangeToClipboard(TExtStringGrid& Grid, const TGridRect& R, bool Disjunct);
void CopySelectionToClipboard(TExtStringGrid& Grid);
void CopyToClipBoard(TExtStringGrid& Grid);
void CutToClipboard(TExtStringGrid& Grid);
void CutSelectionToClipboard(TExtStringGrid& Grid);
void CopyToClipBoardAsHTML(TExtStringGrid& Grid);

// Pastes the clipboard at a cell: the cell block, else rich text, else text. Lines and
// Fields tell the extent; the result is the number of fields read.
int PasteFromClipboardAt(TExtStringGrid& Grid, int ACol, int ARow, int& Lines, int& Fields);
// Writes a text block from a cell on; the number of fields read.
int PasteTextBlock(TExtStringGrid& Grid, int ACol, int ARow, int& Lines, int& Fields, const String& Text);
// (the largest number of fields on a line, the number of lines ended by a line break).
TPoint TextBlockSize(const String& Text);
void PasteSelectionFromClipboard(TExtStringGrid& Grid);
void PasteFromClipboard(TExtStringGrid& Grid);

String GetSelectionAsText(TExtStringGrid& Grid);
// Stores a text block from the selection's top-left as raw cell texts, growing the grid.
void SetSelectionAsText(TExtStringGrid& Grid, const String& Value);

// The grid's clipboard keys go through these operations from now on.
void InstallGridClipboard();

}  // namespace GridClipboard
