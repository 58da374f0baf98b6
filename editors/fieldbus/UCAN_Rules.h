#pragma once
// What the editors of the CAN-based fieldbuses share: the identifier formats of a CAN
// frame, the lists of positions in the converter's data array, the check of the byte
// positions of a frame up to its size, and the rules of the part of a J1939 or NMEA 2000
// frame that a receive row captures.
#include <functional>
#include <vector>

#include "editors/frame/UTableDesc.h"

namespace CAN {

// The Type column's items: standard (11-bit) and extended (29-bit) identifiers.
constexpr const char* Type_Standard = "2.0A (11 bits)";
constexpr const char* Type_Extended = "2.0B (29 bits)";
std::vector<String> Types();
// Only a Type of exactly the standard item (blanks around it aside) makes a frame
// standard; any other text, an empty cell too, makes it extended.
bool Is_Standard(const TRowView& Row, int Type_Col);
// The identifier lies in 0 .. 2047 (standard) or 0 .. 0x1FFFFFFF (extended).
TRowCheck Check_COBID(int COBID_Col, int Type_Col, int Standard_Message, int Extended_Message);

// The context's number of positions in the data array (set at every showing) ...
constexpr const char* MAX_Byte = "MAX_Byte";
// ... and a byte column's items: "None", then "0" .. MAX_Byte - 1.
TItemsProvider Byte_Items();

// The byte positions of a frame: the cells First_Col .. First_Col + n - 1, where n is the
// frame's size read from Size_Col (a size that is no whole number, or below 1, checks
// none; more than Most checks Most). Each must lie in 0 .. Last - 1; a failure gives
// Message(k) for byte k (from 1) followed by the limit Last - 1 and the text After_Limit.
// With None_Allowed an empty cell or "None" (blanks around it aside) is no position and
// passes.
struct TPositions {
    int First_Col = 0;
    int Size_Col = 0;
    int Most = 8;
    std::function<int(int k)> Message;
    TBound Last;
    bool None_Allowed = false;
    int After_Limit = -1;
};
TRowCheck Check_Positions(const TPositions& Positions);

// The part of a received PGN frame a row captures (J1939 and NMEA 2000 receive): with
// the transport protocol (or, for NMEA 2000, the fast packet) a start byte and a number
// of bytes within the frame's most bytes; a single frame is captured whole (no start
// byte, no number) or in part (start byte 1 .. 8 and number 1 .. 8 ending within the
// eight bytes).
struct TCapture {
    int TP_Col = -1, FP_Col = -1, Start_Col = 0, NByte_Col = 0;
    // Transport protocol: the most bytes, and the messages of the start and of the end.
    int TP_Most = 1785, TP_Start = 0, TP_End = 0;
    // Fast packet (NMEA 2000 only).
    int FP_Most = 223, FP_Start = 0, FP_End = 0;
    // Single frame: start and number not both given; start, number and end out of range.
    int Both = 0, Single_Start = 0, Single_NByte = 0, Single_End = 0;
};
TRowCheck Check_Capture(const TCapture& Capture);
// The bytes the row takes of the receive area: the number captured; a whole single
// frame takes its eight bytes.
long long Captured_Bytes(const TCapture& Capture, const TRowView& Row);
// A check box counts as set only when its cell is exactly "Y".
bool Is_Set(const TRowView& Row, int Col);

}  // namespace CAN
