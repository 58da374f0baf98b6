#include "platform/gui/qt/MimeData.h"

#include <QList>
#include <QUrl>

namespace backend {

std::vector<std::pair<String, std::string>> FromMimeData(const QMimeData* Data)
{
    std::vector<std::pair<String, std::string>> out;
    if (!Data) return out;
    std::string files, link;
    // Links arrive as one list: local files become the file list, the first other link
    // is a link of its own.
    for (const QUrl& u : Data->urls()) {
        if (u.isLocalFile()) files += u.toLocalFile().toStdString() + '\0';
        else if (link.empty()) link = u.toString().toStdString();
    }
    for (const QString& f : Data->formats()) {
        const std::string mime = f.toStdString();
        if (mime == "text/uri-list") continue;
        if (mime == "text/plain") out.push_back({mime, Data->text().toStdString()});
        else out.push_back({mime, Data->data(f).toStdString()});
    }
    if (!files.empty()) out.push_back({"text/uri-list", files});
    if (!link.empty()) {
        out.push_back({"text/x-uri", link});
        if (!Data->hasText()) out.push_back({"text/plain", link});
    }
    return out;
}

QMimeData* ToMimeData(const std::vector<std::pair<String, std::string>>& Data)
{
    auto* m = new QMimeData;
    QList<QUrl> urls;
    for (const auto& [mime, bytes] : Data) {
        if (mime == "text/plain") m->setText(QString::fromStdString(bytes));
        else if (mime == "text/html") m->setHtml(QString::fromStdString(bytes));
        else if (mime == "text/uri-list") {
            size_t pos = 0;
            while (pos < bytes.size()) {
                size_t end = bytes.find('\0', pos);
                if (end == std::string::npos) end = bytes.size();
                if (end > pos) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(bytes.substr(pos, end - pos))));
                pos = end + 1;
            }
        } else m->setData(QString::fromStdString(mime), QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
    if (!urls.empty()) m->setUrls(urls);
    return m;
}

}  // namespace backend
