#pragma once
// Enumerations and small records the grid classes share: editor kinds, cell alignment,
// footer calculations, looks, selection styles.
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Types.h"
#include "platform/rtl/Exception.h"

// Misuse of the grid's indices and typed access ("Invalid cell", "Invalid row accessed" ...).
CONF_DECLARE_EXCEPTION(EExtGridError, Exception);

// The in-place editor kinds, in the order the forms store them.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edExtGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TGradientDirection { GradientVertical, GradientHorizontal };

// Footer calculation of a cell or column.
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };

// Look of selected cells painted by the base grid.
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };

enum THoverRowCell { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

// Ready-made appearances of the grid.
enum TGridLook { glStandard, glSoft, glClassic, glWYX, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };

// Look of check boxes, radio buttons and cell buttons.
enum TControlStyle { csClassic, csFlat, csWinXP, csRetro, csWYX, csGlyph, csTheme };

// Colour styles the grid's style setter applies (same order as the component styles).
enum TExtGridStyle {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};

enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };

// Placement of a cell's graphic.
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// What makes a cell more than text (the kind of its TCellGraphic).
enum TCellType {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};

// A set of cell kinds (there are 33, one more than TSet holds).
class TCellTypeSet {
public:
    constexpr TCellTypeSet() = default;
    constexpr TCellTypeSet(std::initializer_list<TCellType> l)
    {
        for (TCellType t : l) FBits |= std::uint64_t(1) << unsigned(t);
    }
    constexpr bool Contains(TCellType t) const { return (FBits >> unsigned(t)) & 1; }
private:
    std::uint64_t FBits = 0;
};

// Borders of a cell asked from the border events.
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox, ssDateTime,
    ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THintShowLargeTextPos { hpCell, hpCursor };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TFilterDropDownColumns { fdNormal, fdAll };
