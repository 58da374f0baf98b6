#pragma once
// Regional settings of the user: the decimal separator numbers are shown and typed with.
#include "platform/rtl/SysUtils.h"

// The separator of the process locale's numeric category (LC_ALL, LC_NUMERIC or LANG
// from the environment); '.' when none is set, the locale is not installed or its
// separator is not a single byte. The process's own C locale is left untouched, so
// the program's number conversions stay independent of the user's settings.
char GetDecimalSeparator();

// Fixes the value GetDecimalSeparator returns (tests, or a user's explicit choice);
// 0 returns to the locale's separator.
void SetDecimalSeparatorOverride(char separator);

// The thousand separator of the same locale. A locale without one (the C locale) gives
// ',' and a locale whose separator is a (narrow) no-break space gives a blank; when that
// would equal the decimal separator the other of ',' and '.' is taken, so a number text
// never mixes them up.
char GetThousandSeparator();

// Fixes the value GetThousandSeparator returns; 0 returns to the locale's separator.
void SetThousandSeparatorOverride(char separator);

// The short date and the long time pattern of the same locale's time category, written
// with d dd m mm yy yyyy and h hh n nn s ss (FormatDateTime); "mm/dd/yy" and "hh:nn:ss"
// without a locale.
String GetShortDateFormat();
String GetLongTimeFormat();
// Fixes the patterns returned (tests, or a user's explicit choice); "" returns to the
// locale's.
void SetShortDateFormatOverride(const String& pattern);
void SetLongTimeFormatOverride(const String& pattern);

// The separators of those patterns: the first character of the short date pattern that
// is not one of its letters ('/' when it has none), and likewise of the long time
// pattern (':' when it has none).
char GetDateSeparator();
char GetTimeSeparator();

// The separator of list items in the user's texts (CSV exports): ';' where the decimal
// separator is ',' (so a number's comma never splits a value), ',' elsewhere.
char GetListSeparator();
// Fixes the value GetListSeparator returns; 0 returns to the locale's.
void SetListSeparatorOverride(char separator);

// Whether the locale of the measurement category (LC_ALL, LC_MEASUREMENT or LANG) measures
// in metric units; true without a locale.
bool IsMeasurementMetric();
// Fixes the answer of IsMeasurementMetric: 1 metric, 0 not, -1 the locale's again.
void SetMeasurementMetricOverride(int metric);
