#pragma once
// String and number helpers with the semantics the program's code is written against:
// positions count from 1 (0 = not found), trimming removes every character <= ' ',
// casing touches A-Z/a-z only, numbers accept the hex prefixes '$', '0x' and 'x'.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/rtl/Exception.h"

using String = std::string;

String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);   // <0, 0, >0, byte order
int CompareText(std::string_view a, std::string_view b);  // same, A-Z folded to a-z
bool SameText(std::string_view a, std::string_view b);
bool StartsText(std::string_view prefix, std::string_view s);
bool EndsText(std::string_view suffix, std::string_view s);

String IntToStr(long long value);
String IntToHex(unsigned long long value, int digits);

// Integers: optional blanks before, optional sign, decimal digits or '$'/'0x'/'x' hex
// digits; nothing after. Out of the 32-bit range (64-bit for the 64 variants) is an error.
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, long long& value);
int StrToInt(std::string_view s);                          // EConvertError on failure
long long StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int def);
long long StrToInt64Def(std::string_view s, long long def);

// Decimal numbers with the given decimal separator (the regional one is the caller's to pass).
bool TryStrToFloat(std::string_view s, double& value, char decimalSeparator = '.');
double StrToFloat(std::string_view s, char decimalSeparator = '.');
double StrToFloatDef(std::string_view s, double def, char decimalSeparator = '.');
String FloatToStr(double value, char decimalSeparator = '.');   // shortest round-trip form

// 1-based substring helpers. Out-of-range arguments are clipped, never an error.
String Copy(std::string_view s, int index, int count);
int Pos(std::string_view sub, std::string_view s, int offset = 1);
void Delete(String& s, int index, int count);
void Insert(std::string_view sub, String& s, int index);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(std::string_view s, std::string_view from, std::string_view to, unsigned flags);

// Format: the format string is always the program's own text, the arguments are values.
// %d %u %x %X (integers), %s (text), %f %.Nf (numbers), %% ; width and '-' flag allowed.
// Text passed as an argument is never interpreted. A directive without a matching
// argument raises EConvertError.
using FormatArg = std::variant<long long, double, String>;
struct FmtArg {
    FormatArg v;
    FmtArg(int x) : v(static_cast<long long>(x)) {}
    FmtArg(unsigned x) : v(static_cast<long long>(x)) {}
    FmtArg(long x) : v(static_cast<long long>(x)) {}
    FmtArg(long long x) : v(x) {}
    FmtArg(double x) : v(x) {}
    FmtArg(const char* x) : v(String(x)) {}
    FmtArg(const String& x) : v(x) {}
    FmtArg(std::string_view x) : v(String(x)) {}
};
String Format(std::string_view fmt, std::initializer_list<FmtArg> args);
String Format(std::string_view fmt, const std::vector<FmtArg>& args);

// Count of "%d" directives in a text, for checking that a translated text still
// fits the arguments its caller passes.
int CountIntPlaceholders(std::string_view fmt);

// Splits at every occurrence of sep (empty pieces kept).
std::vector<String> SplitString(std::string_view s, std::string_view sep);

// Dates and times: days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;
// EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec);
// Date and time texts by a pattern of d dd m mm yy yyyy h hh n nn s ss (minutes are n);
// every other character stands for itself.
String FormatDateTime(std::string_view pattern, TDateTime dt);
// Reads the numbers of a text in the order the pattern names them (separators between
// them are free); a two-digit year lies in 1950 .. 2049. A pattern without date parts
// reads a time of day, one without time parts a date. EConvertError when the text
// holds no such date or time.
TDateTime StrToDateTimeByPattern(std::string_view text, std::string_view pattern);
