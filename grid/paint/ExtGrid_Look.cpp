// Look presets, their names, the URL display settings, the slim scroll controls of the
// metro scroll type, and a few operations that fire one event each.
#include "grid/core/ExtGrid.h"

void TExtStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook) return;
    FLook = Value;
    if (Value != glCustom) {
        FControlLook->FixedGradientMirrorFrom = clNone;
        FControlLook->FixedGradientMirrorTo = clNone;
        FControlLook->FixedGradientFrom = clNone;
        FControlLook->FixedGradientTo = clNone;
        WYXGradientFrom = clNone;
        WYXGradientTo = clNone;
        WYXGradientMirrorFrom = clNone;
        WYXGradientMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        FStyle = tsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        FStyle = tsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        FStyle = tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default: {
        SetPickerStyles(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (FLoading) break;
        TColor F = clWhite, T = clBtnFace;
        if (Value == glStandard || Value == glSoft || Value == glClassic) {
            SetFixedColor(clBtnFace);
            F = clBtnFace;
            T = clNone;
        }
        FControlLook->FixedGradientFrom = F;
        FControlLook->FixedGradientTo = T;
        SetGridFixedLineColor(clGray);
        FControlLook->FixedGradientMirrorFrom = clNone;
        FControlLook->FixedGradientMirrorTo = clNone;
        FControlLook->FixedGradientHoverMirrorFrom = clNone;
        FControlLook->FixedGradientHoverMirrorTo = clNone;
        FControlLook->FixedGradientDownMirrorFrom = clNone;
        FControlLook->FixedGradientDownMirrorTo = clNone;
        WYXGradientMirrorFrom = clNone;
        WYXGradientMirrorTo = clNone;
        SetGridLineColor(clSilver);
        if (Value == glWYX || Value == glXP) {
            ActiveCellColor = 0xEACAB6;
            ActiveCellColorTo = clNone;
            SelectionColor = 0xEACAB6;
            SelectionColorTo = clNone;
            SelectionTextColor = clBlack;
            FSearchFooter->SetColor(WYXGradientFrom);
            FSearchFooter->SetColorTo(WYXGradientTo);
            FControlLook->FixedGradientFrom = clWhite;
            FControlLook->FixedGradientTo = Value == glXP ? clBtnFace : clSilver;
            FControlLook->FixedGradientHoverFrom = 0xCFD0D1;
            FControlLook->FixedGradientHoverTo = 0xBEC6C8;
            FControlLook->FixedGradientHoverMirrorFrom = 0xBEC6C8;
            FControlLook->FixedGradientHoverMirrorTo = 0xABBCBF;
            FControlLook->FixedGradientDownFrom = 0x868788;
            FControlLook->FixedGradientDownTo = 0x737C7E;
            FControlLook->FixedGradientDownMirrorFrom = 0x737C7E;
            FControlLook->FixedGradientDownMirrorTo = 0x627376;
        } else {
            ActiveCellColor = clGray;
            ActiveCellColorTo = clNone;
            SelectionColor = clHighlight;
            SelectionTextColor = clHighlightText;
            FSearchFooter->SetColor(clBtnFace);
            FSearchFooter->SetColorTo(clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    SetBorderColor(0xB99D7F);
    Invalidate();
    if (!FLoading) UpdateFooter();
}

String TExtStringGrid::LookToString(TGridLook Value, const String& Current)
{
    static const char* const kNames[] = {"glStandard", "glSoft", "glClassic", "glWYX", "glXP",
                                         "glListView", "glVista", "glWin7", "glOffice2007"};
    if (Value >= glStandard && Value <= glOffice2007) return kNames[Value];
    return Current;
}

String TExtStringGrid::LookDisplayName(TGridLook Value)
{
    static const char* const kNames[] = {"Standard",   "Soft",          "Classic",   "WYX",       "Windows XP",
                                         "ListView",   "Windows Vista", "Windows 7", "Office2007"};
    if (Value >= glStandard && Value <= glOffice2007) return kNames[Value];
    return String();
}

void TExtStringGrid::SetURLShow(bool v)
{
    if (v == FURLShow) return;
    FURLShow = v;
    Invalidate();
}

void TExtStringGrid::SetURLShowInText(bool v)
{
    if (v == FURLShowInText) return;
    FURLShowInText = v;
    Invalidate();
}

void TExtStringGrid::SetURLFull(bool v)
{
    FURLFull = v;
    if (FURLShow) Invalidate();
}

void TExtStringGrid::SetURLColor(TColor v)
{
    if (v == FURLColor) return;
    FURLColor = v;
    if (FURLShow) Invalidate();
}

void TExtStringGrid::SetScrollType(TScrollType v)
{
    if (v == FScrollType) return;
    FScrollType = v;
    if (v == ssMetro) {
        // The bars go first, so that the indicators take the edges of the whole client area.
        SetScrollBars(ssNone);
        if (Parent()) CreateScrollControls();
    } else if (FVScrollCtrl || FHScrollCtrl) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
    ApplyScrollLook();
}

void TExtStringGrid::CreateScrollControls()
{
    if (!FVScrollCtrl) {
        FVScrollCtrl = new TScrollControl(this, 0);
        FVScrollCtrl->SetParent(this);
        FVScrollCtrl->SetDoubleBuffered(true);
        FVScrollCtrl->SetWidth(6);
        FVScrollCtrl->SetAlign(alRight);
        FVScrollCtrl->SetVisible(true);
    }
    if (!FHScrollCtrl) {
        FHScrollCtrl = new TScrollControl(this, 1);
        FHScrollCtrl->SetParent(this);
        FHScrollCtrl->SetDoubleBuffered(true);
        FHScrollCtrl->SetHeight(6);
        FHScrollCtrl->SetAlign(alBottom);
        FHScrollCtrl->SetVisible(true);
    }
}

void TExtStringGrid::FireCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TExtStringGrid::FireCanInsertRow(int ARow, bool& CanInsert)
{
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

bool TExtStringGrid::FireRatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TExtStringGrid::FireColorSelect(TColor Color, const String& Value)
{
    if (OnColorSelect) OnColorSelect(this, Col(), Row(), Color, Value);
}

void TExtStringGrid::FireImageSelect(int Index)
{
    if (OnImageSelect) OnImageSelect(this, Col(), Row(), Index);
}
