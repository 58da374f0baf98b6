#pragma once
// The masked edit: an edit whose typed and pasted text must fit an edit mask
// (EditMask.h tells what a mask admits).
#include "platform/gui/StdCtrls.h"

class TCustomMaskEdit : public TEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    const String& EditMask() const { return FEditMask; }
    // An empty mask admits everything.
    void SetEditMask(const String& v) { FEditMask = v; }
    bool IsMasked() const { return !FEditMask.empty(); }
    void DefaultHandler(TMessage& msg) override;

private:
    // Inserts s at the selection when it fits the mask; a refusal beeps.
    void InsertMasked(const String& s);
    String FEditMask;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
