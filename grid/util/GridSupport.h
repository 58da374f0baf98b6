#pragma once
// Small support classes the grid keeps as fields or creates per cell: an integer list
// that reports changes with its cell, the list of sort columns, the list of controls
// placed on cells, a picture referenced by file name, a string list read and written
// line by line, the arrow windows that mark where a dragged column or row lands, and
// the small set of file and folder icons of the system icon lists.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// Integers of one cell; every change but Insert fires OnChange(Self, Col, Row).
class TIntList : public TObject {
public:
    TIntList(int ACol, int ARow);
    int Count() const { return int(FItems.size()); }
    int Add(int value);
    void Insert(int index, int value);   // fires nothing
    void Delete(int index);
    void Clear();                        // fires nothing
    int GetInteger(int index) const;
    void SetInteger(int index, int value);
    int operator[](int index) const { return GetInteger(index); }
    void DeleteValue(int value);         // the first equal entry, if any
    bool HasValue(int value) const;
    int IndexOf(int value) const;
    // Entries as decimal numbers joined by ",".
    String StrValue() const;
    // Comma text (commas or blanks separate, double quotes group): the list is cleared
    // silently and each part added with Add; a part that is no integer raises EConvertError.
    void SetStrValue(const String& value);
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    TImageChangeEvent OnChange;
    const std::vector<int>& Items() const { return FItems; }
protected:
    void Changed();
    std::vector<int> FItems;
    int FCol;
    int FRow;
};

// Sort columns in priority order: the column in the low 31 bits, bit 31 set = descending.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    void AddIndex(int columnIndex, bool ascending);
    int FindIndex(int columnIndex) const;   // -1 when the column is not listed
    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int value);
    bool GetSortDirections(int i) const;   // true = ascending
    void SetSortDirections(int i, bool ascending);
    void ToggleIndex(int columnIndex);
    // "u2;d0": direction letter and the entry's low 16 bits.
    String SaveToString() const;
    void LoadFromString(const String& s);
};

class TControlItem : public TObject {
public:
    TControlItem(int x, int y, TControl* control) : X(x), Y(y), Control(control) {}
    int X;
    int Y;
    TControl* Control;   // not owned
};

// Controls placed on cells; owns its items, not the controls.
class TControlList : public TObject {
public:
    ~TControlList() override;
    int Count() const { return int(FItems.size()); }
    void AddControl(int x, int y, TControl* control);
    int ControlIndex(int x, int y) const;   // -1 when none
    TControlItem* GetControl(int i) const;
    void RemoveControl(int i);
    bool HasHandle(HWND handle) const;
private:
    std::vector<TControlItem*> FItems;
};

// A picture referenced by file name: read when the name is set (for its size) and
// again for each drawing. Read errors reach the caller.
class TFilePicture : public TObject {
public:
    const String& Filename() const { return FFilename; }
    void SetFilename(const String& name);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void DrawPicture(TCanvas* canvas, const TRect& r) const;
    void Assign(const TFilePicture* source);
private:
    String FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// A string list read and written line by line (the grid's text files).
class TFileStringList : public TStringList {
public:
    void Reset();
    bool Eof() const;
    void ReadLn(String& s);   // EListError past the end
    void Write(const String& s);
    void WriteLn(const String& s);
    int fp = 0;
    String cache;
};

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// The arrow that marks where a dragged column or row will land: lime green, hidden
// until the grid shows it; only the arrow's shape is painted.
class TArrowWindow : public TPanel {
public:
    TArrowWindow(TWinControl* AOwner, TArrowDirection direction);
    TArrowDirection Dir() const { return FDir; }
    const TPoint* Arrow() const { return FArrow; }
    static constexpr int ArrowPoints = 7;
protected:
    void Paint() override;
private:
    TArrowDirection FDir;
    TPoint FArrow[ArrowPoints];
};

// ---- system icon lists: our own file and folder pictures ----
constexpr int siFile = 0;
constexpr int siFolder = 1;
constexpr int SysIconCount = 2;
// Icon of a path: the folder icon for an existing folder, else the file icon (a missing
// path gets the icon of its file type, which here is the file icon).
int GetSysIconIndex(const String& path);
// 16 (small list) or 32 (large list).
int SysIconSize(bool large);
// Draws icon index at (x, y) in its list's size, transparently; an unknown index draws nothing.
void DrawSysIcon(TCanvas* canvas, int x, int y, int index, bool large);
