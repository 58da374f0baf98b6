#pragma once
// Text a user types that the grid turns into decisions: dates in the regional, US and
// European orders, date steps for pasted series, and filter and find conditions matched
// against a cell text.
//
// The routines read the regional settings (date and time separators, thousand and
// decimal separators, short date pattern) at each call. Positions are 1-based byte
// positions of the UTF-8 text; the characters looked for are ASCII.
//
// A condition is a comparison (">", ">=", "<", "<="), a negation ("!") or a pattern
// with the wildcards "*" (any run) and "?" (one character); an expression joins
// conditions with "&" (and) and ";", "^", "|" (or), strictly from left to right, with
// parentheses grouping. Blanks count only between double quotes; a leading "=" is
// ignored.
#include <string_view>

#include "platform/rtl/SysUtils.h"

// ---- dates ----
// Day, month and year (then an optional time) in the order of the regional short date
// pattern, separated by the regional date separator. False for a text that is no such
// date, a time without the time separator included (the date is stored all the same).
bool ParseLocaleDateTime(const String& Text, TDateTime& DateTime);
// Month (US) or day (European) first, separated by "/", else ".", else "-"; 0 when the
// text has no such form. A two-digit year 0..25 is 2000..2025, other two-digit years
// are 19xx; a year written with more digits is taken as written. EConvertError for a
// date that does not exist.
TDateTime ParseUSDate(const String& Text);
TDateTime ParseEuroDate(const String& Text);
// The date a pasted series steps to: only days, only years or only months given step
// by them (EConvertError for a day the target month lacks); otherwise Step days.
TDateTime IncDateParts(int Years, int Months, int Days, TDateTime Date, TDateTime Step);
// The date separator stands at position 2 or later and again two positions or more on.
bool LooksLikeDate(const String& Text);

// ---- filter conditions ----
bool MatchFilterExpression(const String& Expression, const String& Text, bool CaseSensitive);
// Upper-cases both texts (locale rules) unless CaseSensitive, then MatchCondition.
bool MatchFilterCondition(const String& Condition, const String& Text, bool CaseSensitive);
// One condition against a text, both already in the case wanted.
bool MatchCondition(const String& Condition, const String& Text);

// ---- helpers of the matcher ----
String RemoveBlanksOutsideQuotes(const String& Text);
// The first character of Chars that stands outside double quotes, with its position;
// 0 and -1 when there is none.
char FindOperatorOutsideQuotes(std::string_view Chars, const String& Text, int& Position);
// The position of the ")" that closes the "(" counted first; 0 when none does.
int FindClosingParen(const String& Text);
// The regional decimal separator becomes ".", the thousand separator is dropped.
String NumberTextToInvariant(const String& Text);
// Upper case by the Unicode rules of each character.
String UpperCaseText(const String& Text);
