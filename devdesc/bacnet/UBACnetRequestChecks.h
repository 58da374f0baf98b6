#pragma once
// The checks of the BACnet client's requests before they are saved: object types,
// properties, data types, byte counts, destinations, times. The tables are read through
// a cell getter so the checks need no window.
#include <functional>
#include <optional>

#include "platform/rtl/SysUtils.h"

namespace BACnetReq {
// Object code of an Object Type cell for the read (0) or write (1) table; a proprietary
// type 128..1023 as it is; -1 when not valid.
int Check_Object_Type(const String& Str, int Read_Write);
// Property code: 1..49 a byte count, 100 Present Value, 200 proprietary, -1 not valid.
int Check_Property(const String& Str, int Read_Write, int Obj_Type);
// Negative when the data type does not fit the object's Present Value.
int Check_Data_Type(const String& Str, int Obj_Type, int Property_Val);
String Aspected_Data_Type_Value(int Obj_Type, int Property_Val);
int Check_Num_Byte_Max(const String& Str);
// The destination address list of N bytes: the text number of its fault, none when right.
std::optional<int> Check_Dest_Add(const String& Values, int N, bool In_Read);
// The read table's byte-count hint of a Property cell.
String Read_Hint(const String& Object_Type, const String& Property);

// Column indexes of the two tables (real, hidden columns counted).
namespace Read {
enum { Enable = 1, Address, Object_Type, Instance, Property, NByte, En_Dest, D_Net, D_Len, D_Add, Poll_Time,
       Max_Err, Position, Start_Bit, Swap, Convertion, Mnemonic, Count };
}
namespace Write {
enum { Enable = 1, Address, Object_Type, Data_Type, Instance, Property, Priority, NByte, En_Dest, D_Net, D_Len,
       D_Add, Change, Timer, Poll_Time, Max_Err, Position, Start_Bit, Swap, Convertion, Mnemonic, Count };
}

// The cell of a table (0 read, 1 write) at real column and row.
using TCellGetter = std::function<String(int Table, int Col, int Row)>;
// Whether a row's key cell (by the link type) is empty: the table ends there.
int Key_Col(int App_BACnet_Type);
// The first error of both tables in order: the table (0 read, 1 write), the row and the
// error box's text; none when both pass.
struct TReqError {
    int Table = 0;
    int Row = 0;
    String Text;
};
std::optional<TReqError> Check_Requests(const TCellGetter& Cell, int Rows, int App_BACnet_Type);
// The same, the box's text only.
std::optional<String> Controllo_dati(const TCellGetter& Cell, int Rows, int App_BACnet_Type);
}  // namespace BACnetReq
