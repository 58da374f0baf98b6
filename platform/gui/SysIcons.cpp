#include "platform/gui/SysIcons.h"

#include <map>
#include <memory>
#include <tuple>

#include "platform/gui/qt/Backend.h"

namespace {
// Icons are asked for on every paint of the text that names them, and asking the desktop
// means reading its theme and file types: the answers are kept. Markup is untrusted, so
// the store is emptied when it holds too many, rather than growing without end.
constexpr size_t kMaxKept = 256;
using TKey = std::tuple<int, String, int>;   // the list's index (-1 for a file), the path, the edge
std::map<TKey, std::unique_ptr<TBitmap>>& Kept()
{
    static std::map<TKey, std::unique_ptr<TBitmap>> kept;
    return kept;
}

// The icon from the store, or asked for with Ask and stored (also when there is none).
template <class F>
bool Lookup(const TKey& Key, TBitmap& Into, F Ask)
{
    auto& kept = Kept();
    auto it = kept.find(Key);
    if (it == kept.end()) {
        if (kept.size() >= kMaxKept) kept.clear();
        auto icon = std::make_unique<TBitmap>();
        if (!Ask(*icon)) icon.reset();
        it = kept.emplace(Key, std::move(icon)).first;
    }
    if (!it->second) return false;
    Into.Assign(it->second.get());
    return true;
}
}  // namespace

int SysIconEdge(bool Large) { return Large ? 32 : 16; }

int SysIconCount()
{
    backend::EnsureStarted();
    return backend::SysIconCount();
}

bool GetSysIcon(int Index, bool Large, TBitmap& Into)
{
    if (Index < 0 || Index >= SysIconCount()) return false;
    const int edge = SysIconEdge(Large);
    return Lookup({Index, String(), edge}, Into,
                  [&](TBitmap& b) { return backend::SysIcon(Index, edge, b); });
}

bool GetSysFileIcon(const String& Path, bool Large, TBitmap& Into)
{
    if (Path.empty()) return false;
    backend::EnsureStarted();
    const int edge = SysIconEdge(Large);
    return Lookup({-1, Path, edge}, Into, [&](TBitmap& b) { return backend::FileIcon(Path, edge, b); });
}
