#pragma once
// Settings files of sections and name=value lines. The whole file is read when the object
// is made and written back whole by UpdateFile, so a reader sees one consistent state and
// a failed write leaves the old file in place.
//
// A settings file may come from anywhere: one larger than MaxFileSize or with more than
// MaxLines lines is refused (EIniFileError) before anything is taken from it.
#include <utility>
#include <vector>

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"

CONF_DECLARE_EXCEPTION(EIniFileError, EInOutError);

class TIniFile {
public:
    static constexpr size_t MaxFileSize = 4u << 20;
    static constexpr size_t MaxLines = 200000;

    // Reads FileName when it exists; a missing file reads as empty. EIniFileError for a
    // file that is too large, EFOpenError for one that exists and cannot be read.
    explicit TIniFile(const String& FileName);
    // A text in the file's form (the same checks as a file).
    static TIniFile FromText(const String& Text);

    const String& FileName() const { return FFileName; }
    // Names of sections and keys are matched without regard to case.
    bool SectionExists(const String& Section) const;
    bool ValueExists(const String& Section, const String& Ident) const;
    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    // Decimal or "$" / "0x" hexadecimal; Default for a missing value or one that is no number.
    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    // A line break in a value would start a line of its own (and could forge a key): it
    // is written as a blank. Values with blanks at either end are written in double quotes
    // so that they come back whole.
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteInteger(const String& Section, const String& Ident, int Value);
    void DeleteKey(const String& Section, const String& Ident);
    void EraseSection(const String& Section);
    // The names of a section's values, in file order.
    std::vector<String> ReadSection(const String& Section) const;
    std::vector<String> Sections() const;
    // The file's text, lines ended by CR LF.
    String Text() const;
    // Writes the file whole (temporary file renamed over the old one).
    void UpdateFile() const;

private:
    TIniFile() = default;
    void Parse(const String& Text);
    using TValues = std::vector<std::pair<String, String>>;
    TValues* Find(const String& Section);
    const TValues* Find(const String& Section) const;

    String FFileName;
    std::vector<std::pair<String, TValues>> FSections;
};
