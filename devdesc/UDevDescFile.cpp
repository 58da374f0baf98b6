#include "devdesc/UDevDescFile.h"

#include <ctime>

#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"
#include "shell/UDuvazaradFirmWare.h"

std::function<TDateTime()> Description_Clock;

TDateTime Description_Now()
{
    if (Description_Clock) return Description_Clock();
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    // A leap second is stamped as the second before it.
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, 0);
}

TXMLDocument& Shared_XML()
{
    if (FDuvazaradFirmWare) return FDuvazaradFirmWare->XML1;
    static TXMLDocument Own;
    return Own;
}

int Element_Int(const TXMLNode& Root, const char* Name, int Def)
{
    const TXMLNode n = Root.FindNode(Name);
    return n ? StrToIntDef(Trim(n.Text()), Def) : Def;
}

String Element_Text(const TXMLNode& Root, const char* Name, const String& Def)
{
    const TXMLNode n = Root.FindNode(Name);
    return n ? n.Text() : Def;
}

String Join_CRLF(const std::vector<String>& Lines)
{
    size_t size = 0;
    for (const String& l : Lines) size += l.size() + 2;
    String text;
    text.reserve(size);
    for (const String& l : Lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

void Write_Ansi_Lines(const String& FileName, const std::vector<String>& Lines)
{
    WriteFileAtomic(FileName, Utf8ToCp1252(Join_CRLF(Lines)));
}

void Write_Utf8_Lines(const String& FileName, const std::vector<String>& Lines)
{
    WriteFileAtomic(FileName, "\xEF\xBB\xBF" + Join_CRLF(Lines));
}
