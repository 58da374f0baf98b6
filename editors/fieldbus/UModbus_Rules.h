#pragma once
// What the Modbus RTU and Modbus TCP master editors share: the checks of a read or write
// rule (the TCP rules add the slave's address and port), the lists of positions in the
// converter's data areas, and the topic list of the hidden Topic column.
#include <vector>

#include "editors/frame/UTableDesc.h"

namespace Modbus {

// The converter's internal data areas in bytes: read rules store into the input area,
// write rules take from the output area. Set at every showing into the context.
constexpr int Area_Size = 1500;
constexpr const char* NByte_IN = "NByte_IN";
constexpr const char* NByte_OUT = "NByte_OUT";
constexpr int Rows = 512;

// The list items of the Type and Start Bit columns.
std::vector<String> Read_Types();    // "Coil Status", "Input Status", "Holding Register", "Input Register"
std::vector<String> Write_Types();   // "Coil Status", "Holding Register"
std::vector<String> Start_Bits();    // "0" .. "7"
// The items "0" .. area - 1 of a Position column, for the context's area of that name.
TItemsProvider Positions(const char* Area);

// A rule's columns by real index, and the text numbers of its messages; the address and
// port only in the TCP tables (-1 elsewhere).
struct TRuleCols {
    int IP_Address = -1, Port = -1;
    int Slave_ID, Type, Address, NPoint, PollTime, MaxError, Position, Bit;
};
struct TRuleTexts {
    int IP_Address = -1, Port = -1;
    int Slave_ID, Type, Address, NPoint, PollTime, MaxError, Position, Bit, Too_Many;
};
enum TDirection { Read, Write };

// The checks of a rule, in order: address and port (TCP), slave ID 1 .. 247, a type, the
// register address, the number of points (read: 125 registers or 2000 bits; write: 123
// registers or 1968 coils; the limit follows the message), the poll time (read from 1,
// write from 0, up to 100000000), the error limit, the position in the area (the last
// position follows the message), the start bit of a bit rule, and the last byte the rule
// uses, which must lie in the area.
std::vector<TRowCheck> Rule_Checks(TDirection Direction, const TRuleCols& Cols, const TRuleTexts& Texts);

// The slave address of a TCP rule is invalid: empty, fewer than three dots, or a part
// (the fourth is all after the third dot) that is no whole number 0 .. 255. Blanks before
// a part are taken, blanks after one are not.
bool Check_IP_Address(const String& IP_Address);

// The topics the Topic column offers. Nothing in this program fills the list, so the
// column (hidden) reads every index as no topic.
String Get_Topic_From_Index(const std::vector<String>& Topics, int Index);
int Get_Index_From_Topic(const std::vector<String>& Topics, const String& Topic);

}  // namespace Modbus
