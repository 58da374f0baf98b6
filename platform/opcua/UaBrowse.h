#pragma once
// The walk over a server's address space: from the Objects folder down its hierarchical
// references, bounded in depth, in nodes and in variables; then the attributes of every
// variable found.
#include <string>
#include <vector>

#include "platform/opcua/UaClient.h"

namespace ua {

struct TFound_Variable {
    TNodeId Id;
    std::string Name;        // display name, else browse name (UTF-8)
    int32_t Data_Type = -1;  // 0 Boolean .. 14 ByteString, -1 for any other type
    uint8_t Access = 0;      // bit 0 readable, bit 1 writable, never 0
};

struct TWalk_Limits {
    int Max_Depth = 16;
    size_t Max_Nodes = 20000;
    size_t Max_Variables = 10000;
};

// The scalar variables the user may read or write, in the order the walk met them;
// raises EUaClient.
std::vector<TFound_Variable> Browse_Server(const TUaSettings& Settings, const TWalk_Limits& Limits = {});

// A built-in data type's code as the converter numbers them, -1 for any other.
int32_t Data_Type_Code(const TNodeId& Type);

}  // namespace ua
