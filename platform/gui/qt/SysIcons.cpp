// The desktop's icons on the toolkit's style and file icon provider.
#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QStyle>

#include "platform/gui/qt/Backend.h"
#include "platform/gui/qt/QtCommon.h"

namespace {
// The icon rendered at its best size for Edge and centred on a transparent square: an
// icon that has no picture of that size must not come out smaller than its room.
bool Render(const QIcon& Icon, int Edge, TBitmap& Into)
{
    if (Icon.isNull() || Edge <= 0) return false;
    QImage pic = Icon.pixmap(QSize(Edge, Edge)).toImage();
    if (pic.isNull()) return false;
    if (pic.width() != Edge && pic.height() != Edge)
        pic = pic.scaled(Edge, Edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage out(Edge, Edge, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage((Edge - pic.width()) / 2, (Edge - pic.height()) / 2, pic);
    p.end();
    Into.SetSize(Edge, Edge);
    Into.Impl()->Flush();
    Into.Impl()->image = out;
    return true;
}
}  // namespace

namespace backend {
int SysIconCount() { return int(QStyle::SP_LineEditClearButton) + 1; }

bool SysIcon(int Index, int Edge, TBitmap& Into)
{
    QStyle* style = QApplication::style();
    if (!style || Index < 0 || Index >= SysIconCount()) return false;
    return Render(style->standardIcon(QStyle::StandardPixmap(Index)), Edge, Into);
}

bool FileIcon(const String& Path, int Edge, TBitmap& Into)
{
    // Paths come from markup: the file is never opened (a device or a pipe could keep
    // the reader waiting), its type goes by its name; only a folder is told by looking.
    const QFileInfo info(QS(Path));
    const bool folder = info.isDir();
    QMimeDatabase types;
    const QMimeType type = folder ? types.mimeTypeForName(QStringLiteral("inode/directory"))
                                  : types.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (icon.isNull()) icon = QFileIconProvider().icon(folder ? QFileIconProvider::Folder : QFileIconProvider::File);
    return Render(icon, Edge, Into);
}
}  // namespace backend
