#pragma once
// Reads the connections of an EtherNet/IP adapter's EDS file: the entries of its
// [Connection Manager] section, each decoded into the instances and connection points
// of both directions and the real-time header formats of its connection parameters.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// One usable connection. Instances are kept whole: a 16- or 32-bit instance of the path
// is a different instance than its low byte, and the scanner must address the right one.
class TConnData : public TObject {
public:
    int ConnIndex = 0;               // position in the list, from 1
    String ConnName;                 // name field, trimmed, quotes kept
    String HelpStr;                  // help string field, trimmed, quotes kept
    int DimHeaderTO = 0;             // bits 12..14 of the connection parameters
    int DimHeaderOT = 4;             // bits 8..10
    int NumClass = 4;
    long long InstanceTO = 30;
    int ConnPointTO = 0;
    long long InstanceOT = 30;
    int ConnPointOT = 0;
};

using TConnList = std::vector<std::unique_ptr<TConnData>>;

// Files larger than this are no EDS file; they are refused unread.
constexpr size_t EDS_Max_File_Bytes = 16u << 20;
// A path of more bytes than this is cut there (later tokens are ignored).
constexpr int EDS_Max_Path_Bytes = 1001;

// Decodes one entry (the text after "Connection...=" up to its ";", lines joined) and
// appends it to List when it is usable.
void DecodeConnStr(const String& Entry, TConnList& List);
// The connections of an EDS file's text (bytes as read: a byte-order mark selects UTF-8
// or UTF-16; CR LF, LF and CR end lines).
TConnList Read_EDS_Connections(std::string_view Bytes);
// The same from a file; false with Error set when the file cannot be read (missing,
// unreadable, too large).
bool Read_EDS_File(const String& FileName, TConnList& List, String& Error);
