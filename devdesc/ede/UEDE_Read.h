#pragma once
// Reads the EDE object list of another BACnet device: the object lines below the
// "mandatory" header line, of the object types a BACnet client request can address.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// One object line of an EDE file, with the user's choices.
class TBACnet_Var : public TObject {
public:
    String keyname;
    int device_obj_instance = -1;
    String object_name;
    int object_type = -1;
    int object_instance = -1;
    String description;
    String present_value_default;
    String min_present_value;
    String max_present_value;
    bool commandable = false;
    bool support_COV = false;
    String hi_limit;
    String low_limit;
    String stete_text_reference;
    String unit_code;
    String vendor_specific_address;
    bool import = false;
    bool read = false;
    bool write = false;
};

using TEDE_Var_List = std::vector<std::unique_ptr<TBACnet_Var>>;

// Files larger than this are no object list; they are refused unread.
constexpr size_t EDE_Max_File_Bytes = 16u << 20;

// The object types kept (analog, binary and multi-state inputs, outputs and values, life
// safety point and zone, accumulator, integer, large analog and positive integer values).
bool EDE_Type_Is_Kept(int Object_Type);
// One object line (trimmed, not empty) into its fields.
std::unique_ptr<TBACnet_Var> Parse_EDE_Line(const String& Line);

// What reading gave: the kept objects in file order, and when the text is no object list
// at all (too short, no header line) the reason, as a text number of the error box.
struct TEDE_Read {
    TEDE_Var_List Vars;
    bool Ok = true;
    int Error_Text = -1;
};
// The text as read from the file: a byte-order mark selects UTF-8 or UTF-16; CR LF, LF
// and CR end lines.
TEDE_Read Read_EDE_Text(std::string_view Bytes);
// The same from a file; a file that cannot be read or is too large is not Ok.
TEDE_Read Read_EDE_File(const String& FileName);
