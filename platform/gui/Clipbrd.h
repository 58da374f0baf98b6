#pragma once
// The clipboard, and the data that the clipboard and drags carry: one content offered in
// several formats at once. A format is a number: the standard text and file-list
// formats, or one registered by name. Between programs each format travels as one MIME
// type, mapped here once (ClipboardFormatMime).
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"

using TClipFormat = unsigned;
constexpr TClipFormat CF_TEXT = 1;
constexpr TClipFormat CF_UNICODETEXT = 13;
// A list of file names: each name in UTF-8 followed by a zero byte.
constexpr TClipFormat CF_HDROP = 15;

// The same number for the same name (case ignored) for the life of the process; 0 for
// an empty name.
TClipFormat RegisterClipboardFormat(const String& Name);
// The registered name, or "" for a standard or unknown format.
String ClipboardFormatName(TClipFormat Format);
// The MIME type of a format; "" for an unknown one. Both text formats are "text/plain".
String ClipboardFormatMime(TClipFormat Format);
// The format of a MIME type; 0 when none is registered for it.
TClipFormat ClipboardFormatOfMime(const String& Mime);

// The file names of a CF_HDROP block and the block of names. Reading stops at the end of
// the block: an unterminated last name counts, nothing beyond the block is read.
std::vector<String> FileListFromBytes(const std::string& Bytes);
std::string FileListToBytes(const std::vector<String>& Names);

// One content in several formats. The two text formats are one text (UTF-8).
class TDataPackage {
public:
    void Set(TClipFormat Format, std::string Bytes);
    bool Has(TClipFormat Format) const;
    // The bytes of a format; "" when it is not there.
    std::string Get(TClipFormat Format) const;
    void Remove(TClipFormat Format);
    bool Empty() const { return FItems.empty(); }
    void Clear() { FItems.clear(); }
    // The formats in the order they were set (text once, as CF_UNICODETEXT).
    const std::vector<std::pair<TClipFormat, std::string>>& Items() const { return FItems; }

    void SetText(const String& Text) { Set(CF_UNICODETEXT, Text); }
    bool HasText() const { return Has(CF_UNICODETEXT); }
    String Text() const { return Get(CF_UNICODETEXT); }

private:
    std::vector<std::pair<TClipFormat, std::string>> FItems;
};

class TClipboard {
public:
    // Between Open and Close the changes are gathered and published as one content at
    // Close, so other programs never see half of it. Calls nest.
    void Open();
    void Close();
    // The clipboard's text; setting it replaces the whole content.
    String AsText() const;
    void SetAsText(const String& s);
    bool HasText() const { return HasFormat(CF_UNICODETEXT); }
    bool HasFormat(TClipFormat Format) const;
    std::string GetAsBytes(TClipFormat Format) const;
    // Adds one format to the content; the formats already there stay.
    void SetAsBytes(TClipFormat Format, std::string Bytes);
    // Empties the clipboard.
    void Clear();
    TDataPackage Content() const;
    // Replaces the whole content.
    void SetContent(const TDataPackage& Data);

    // The content with an owner: OnReplaced runs once, when the content is next replaced
    // or emptied (the owner's marks of what it put there are then stale). The callback
    // must not outlive what it refers to: look the owner up, do not capture it.
    void SetContent(const TDataPackage& Data, std::function<void()> OnReplaced);
    // The content stays as it is, but its owner is forgotten without being told.
    void Flush();
    bool HasOwner() const { return static_cast<bool>(FOnReplaced); }
    // Tells the owner now that its content is about to be replaced; the content stays.
    void ReleaseOwner();

private:
    void Publish();
    int FOpen = 0;
    bool FDirty = false;
    TDataPackage FPending;
    std::function<void()> FOnReplaced;
};

TClipboard* Clipboard();
