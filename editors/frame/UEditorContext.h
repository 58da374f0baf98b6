#pragma once
// What one showing of an editor knows beyond its tables: the model's settings read from
// ParGen.xml, the values the editor works out from them, and the regional decimal
// separator. The editor fills it when its window shows (TEditorDesc::Read_Context); the
// engine hands it to every check and list provider. Nothing in it points into a window,
// so a description is built once and checked against any context (a test builds one
// directly).
#include <map>

#include "platform/rtl/SysUtils.h"

struct TEditorContext {
    // The model's settings of the showing: each key of ParGen.xml with its text (the first
    // element of that name under the root). Empty when the file is missing or broken.
    std::map<String, String> Settings;
    // What the editor works out at the showing for its checks and lists, by name
    // ("Data_Size": the bytes of the converter's data area the rows address ...).
    std::map<String, long long> Numbers;
    // The regional decimal separator, taken each time the checks run.
    char Decimal_Sep = '.';

    // The setting's text; empty when the key is missing.
    String Setting(const String& Key) const;
    // The number; 0 when it was not set.
    long long Number(const String& Name) const;
};

// Settings := every key of the model's ParGen.xml. A file that is missing, cannot be read
// or has no root element gives no settings (the editor then works with its defaults).
void Read_Model_Settings(const String& ParGen_File, TEditorContext& Context);
