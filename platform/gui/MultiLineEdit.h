#pragma once
// The multi-line form of an edit field: an edit control may put this window in place of
// its single line (a multi-line edit), which wraps its text at its width, scrolls
// vertically and keeps CR LF between lines.
class IWidget;
class TControl;

// The new window for Edit; the edit takes it over and re-applies its settings.
IWidget* CreateMultiLineEditWidget(TControl* Edit);
// The single-line window, to go back.
IWidget* CreateSingleLineEditWidget(TControl* Edit);
