#pragma once
// What every description-file writer shares: the clock their dates come from, the shared
// XML document the configuration files are read through, the integer reading of values
// typed into the editors, and the writing of a whole text file at once.
#include <functional>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

// The local date and time a file is stamped with. Tests set Description_Clock to a fixed
// moment; empty, the system clock is read.
extern std::function<TDateTime()> Description_Clock;
TDateTime Description_Now();

// The main window's XML document object while it exists; the writers load the
// configuration's files through it, so it keeps holding the last file loaded. Without a
// main window (a writer used on its own) a document of this unit's own stands in.
TXMLDocument& Shared_XML();

// The text of the element Name under Root as an integer (decimal, or hexadecimal with
// "$" or "0x"); Def when the element is missing or its text is not a number.
int Element_Int(const TXMLNode& Root, const char* Name, int Def);
// The text of the element Name under Root; Def when the element is missing.
String Element_Text(const TXMLNode& Root, const char* Name, const String& Def = "");

// Each line followed by CR LF, the last included.
String Join_CRLF(const std::vector<String>& Lines);
// The lines written at once, replacing the file: in Windows-1252 without a
// byte-order mark (a character that code page lacks becomes "?"). EFCreateError when the
// file cannot be written; a previous file then stays as it was.
void Write_Ansi_Lines(const String& FileName, const std::vector<String>& Lines);
// The same in UTF-8 preceded by its byte-order mark.
void Write_Utf8_Lines(const String& FileName, const std::vector<String>& Lines);
