#include "platform/gui/SysIcons.h"

#include "platform/gui/qt/Backend.h"

int SysIconEdge(bool Large) { return Large ? 32 : 16; }

int SysIconCount()
{
    backend::EnsureStarted();
    return backend::SysIconCount();
}

bool GetSysIcon(int Index, bool Large, TBitmap& Into)
{
    if (Index < 0 || Index >= SysIconCount()) return false;
    return backend::SysIcon(Index, SysIconEdge(Large), Into);
}

bool GetSysFileIcon(const String& Path, bool Large, TBitmap& Into)
{
    if (Path.empty()) return false;
    backend::EnsureStarted();
    return backend::FileIcon(Path, SysIconEdge(Large), Into);
}
