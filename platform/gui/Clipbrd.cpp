#include "platform/gui/Clipbrd.h"

#include <cctype>
#include <map>

#include "platform/gui/qt/Backend.h"

namespace {

struct TFormatTable {
    std::vector<String> Names;   // registered formats from 0xC000 on
};

TFormatTable& Formats()
{
    static TFormatTable t;
    return t;
}

constexpr TClipFormat FirstRegistered = 0xC000;

// The MIME types of the formats this program exchanges with others; any other registered
// format travels under a private type made from its name.
const std::map<String, String>& KnownMimes()
{
    static const std::map<String, String> m = {
        {"RICH TEXT FORMAT", "text/rtf"},
        {"HTML FORMAT", "text/html"},
        {"UNIFORMRESOURCELOCATOR", "text/x-uri"},
    };
    return m;
}

String PrivateMime(const String& Name)
{
    String s = "application/x-configurator-";
    for (char ch : Name) {
        const unsigned char u = static_cast<unsigned char>(ch);
        s += std::isalnum(u) ? char(std::tolower(u)) : '-';
    }
    return s;
}

}  // namespace

TClipFormat RegisterClipboardFormat(const String& Name)
{
    if (Name.empty()) return 0;
    auto& names = Formats().Names;
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], Name)) return FirstRegistered + TClipFormat(i);
    names.push_back(Name);
    return FirstRegistered + TClipFormat(names.size() - 1);
}

String ClipboardFormatName(TClipFormat Format)
{
    const auto& names = Formats().Names;
    if (Format < FirstRegistered || Format - FirstRegistered >= names.size()) return "";
    return names[Format - FirstRegistered];
}

String ClipboardFormatMime(TClipFormat Format)
{
    if (Format == CF_TEXT || Format == CF_UNICODETEXT) return "text/plain";
    if (Format == CF_HDROP) return "text/uri-list";
    const String name = ClipboardFormatName(Format);
    if (name.empty()) return "";
    const auto it = KnownMimes().find(UpperCase(name));
    return it != KnownMimes().end() ? it->second : PrivateMime(name);
}

TClipFormat ClipboardFormatOfMime(const String& Mime)
{
    if (SameText(Mime, "text/plain") || StartsText("text/plain;", Mime)) return CF_UNICODETEXT;
    if (SameText(Mime, "text/uri-list")) return CF_HDROP;
    const auto& names = Formats().Names;
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(ClipboardFormatMime(FirstRegistered + TClipFormat(i)), Mime)) return FirstRegistered + TClipFormat(i);
    return 0;
}

std::vector<String> FileListFromBytes(const std::string& Bytes)
{
    std::vector<String> names;
    size_t pos = 0;
    while (pos < Bytes.size()) {
        size_t end = Bytes.find('\0', pos);
        if (end == std::string::npos) end = Bytes.size();
        if (end == pos) break;   // an empty name ends the list
        names.push_back(Bytes.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}

std::string FileListToBytes(const std::vector<String>& Names)
{
    std::string b;
    for (const String& n : Names)
        if (!n.empty()) b += n + '\0';
    return b;
}

// ---------------------------------------------------------------- TDataPackage

namespace {
TClipFormat Canonical(TClipFormat f) { return f == CF_TEXT ? CF_UNICODETEXT : f; }
}  // namespace

void TDataPackage::Set(TClipFormat Format, std::string Bytes)
{
    Format = Canonical(Format);
    for (auto& it : FItems)
        if (it.first == Format) {
            it.second = std::move(Bytes);
            return;
        }
    FItems.push_back({Format, std::move(Bytes)});
}

bool TDataPackage::Has(TClipFormat Format) const
{
    Format = Canonical(Format);
    for (const auto& it : FItems)
        if (it.first == Format) return true;
    return false;
}

std::string TDataPackage::Get(TClipFormat Format) const
{
    Format = Canonical(Format);
    for (const auto& it : FItems)
        if (it.first == Format) return it.second;
    return {};
}

void TDataPackage::Remove(TClipFormat Format)
{
    Format = Canonical(Format);
    for (auto it = FItems.begin(); it != FItems.end(); ++it)
        if (it->first == Format) {
            FItems.erase(it);
            return;
        }
}

// ---------------------------------------------------------------- TClipboard

namespace {

std::vector<std::pair<String, std::string>> ToMime(const TDataPackage& Data)
{
    std::vector<std::pair<String, std::string>> out;
    for (const auto& [f, bytes] : Data.Items()) {
        const String mime = ClipboardFormatMime(f);
        if (!mime.empty()) out.push_back({mime, bytes});
    }
    return out;
}

}  // namespace

TDataPackage TClipboard::Content() const
{
    if (FOpen > 0 && FDirty) return FPending;
    TDataPackage d;
    for (auto& [mime, bytes] : backend::ClipboardData()) {
        const TClipFormat f = ClipboardFormatOfMime(mime);
        if (f && !d.Has(f)) d.Set(f, std::move(bytes));
    }
    return d;
}

void TClipboard::ReleaseOwner()
{
    // Taken out first: the owner may put new content on the clipboard from its callback.
    std::function<void()> f = std::move(FOnReplaced);
    FOnReplaced = nullptr;
    if (f) f();
}

void TClipboard::Publish()
{
    ReleaseOwner();
    if (FOpen > 0) {
        FDirty = true;
        return;
    }
    backend::SetClipboardData(ToMime(FPending));
    FPending.Clear();
}

void TClipboard::Open()
{
    if (FOpen++ == 0) {
        FPending = Content();
        FDirty = false;
    }
}

void TClipboard::Close()
{
    if (FOpen == 0) return;
    if (--FOpen == 0) {
        if (FDirty) backend::SetClipboardData(ToMime(FPending));
        FPending.Clear();
        FDirty = false;
    }
}

String TClipboard::AsText() const { return Content().Text(); }

void TClipboard::SetAsText(const String& s)
{
    TDataPackage d;
    d.SetText(s);
    SetContent(d);
}

bool TClipboard::HasFormat(TClipFormat Format) const { return Content().Has(Format); }

std::string TClipboard::GetAsBytes(TClipFormat Format) const { return Content().Get(Format); }

void TClipboard::SetAsBytes(TClipFormat Format, std::string Bytes)
{
    if (FOpen == 0) FPending = Content();
    FPending.Set(Format, std::move(Bytes));
    Publish();
}

void TClipboard::Clear() { SetContent(TDataPackage()); }

void TClipboard::SetContent(const TDataPackage& Data)
{
    FPending = Data;
    Publish();
}

void TClipboard::SetContent(const TDataPackage& Data, std::function<void()> OnReplaced)
{
    SetContent(Data);
    FOnReplaced = std::move(OnReplaced);
}

void TClipboard::Flush() { FOnReplaced = nullptr; }

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
