#include "platform/gui/MultiLineEdit.h"

#include "platform/gui/qt/Backend.h"

IWidget* CreateMultiLineEditWidget(TControl* Edit) { return backend::CreateMultiLineEdit(Edit); }

IWidget* CreateSingleLineEditWidget(TControl* Edit) { return backend::CreateEdit(Edit); }
