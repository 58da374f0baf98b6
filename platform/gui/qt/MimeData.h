#pragma once
// The layer's content of several formats as Qt's MIME data and back (clipboard and drags).
#include <QMimeData>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace backend {
std::vector<std::pair<String, std::string>> FromMimeData(const QMimeData* Data);
// A new object for the clipboard or a drag to take over.
QMimeData* ToMimeData(const std::vector<std::pair<String, std::string>>& Data);
}  // namespace backend
