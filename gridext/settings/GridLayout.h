#pragma once
// A grid's layout and print settings kept outside it: column widths, order and
// visibility as one text; widths and order in a settings file or in the per-user store
// (ColumnSize: Key and Section, Location); the print settings in a section of a settings
// file. What is read may have been edited by hand or forged: values that cannot be
// applied (a width outside 0 .. 65535, an order that is not each column once) leave the
// grid as it was.
#include "grid/core/ExtGrid.h"

namespace GridLayout {

// "N#widths#order#visibility": N the number of columns with the hidden ones, the widths
// and the order joined by ",", the visibility as 1 and 0.
String ColumnStatesToString(TExtStringGrid& Grid);
// A text without "#" changes nothing; EConvertError for a count or width that is no
// number, before anything changes.
void StringToColumnStates(TExtStringGrid& Grid, const String& Value);

// "Col<n>" values: the widths; "Pos<n>": the column shown at position n. Nothing happens
// when ColumnSize.Key or Section is empty.
void SaveColSizes(TExtStringGrid& Grid);
void LoadColSizes(TExtStringGrid& Grid);
void SaveColPositions(TExtStringGrid& Grid);
void LoadColPositions(TExtStringGrid& Grid);

// The print settings in section Section of the settings file Key.
void SavePrintSettings(TExtStringGrid& Grid, const String& Key, const String& Section);
void LoadPrintSettings(TExtStringGrid& Grid, const String& Key, const String& Section);

// Grids with ColumnSize.Save read their widths and order when loaded and keep them when
// they go, from now on.
void InstallGridLayout();

}  // namespace GridLayout
