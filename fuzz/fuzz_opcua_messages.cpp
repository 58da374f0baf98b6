// What an OPC UA server sends, as the browse library's decoder reads it: any bytes must end
// in a decoded message or in the decoder's own refusal (EUaDecode, EUaService), never in a
// crash, a hang or another exception; a node id it read writes back to what reads the same.
#include <cstdint>
#include <cstdlib>

#include "platform/opcua/UaCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    try {
        ua::Decode_Any_Message(Data, Size);
    } catch (const ua::EUaDecode&) {
    } catch (const ua::EUaService&) {
    }
    try {
        ua::TReader r(Data, Size);
        const ua::TExpandedNodeId e = r.Expanded_Node_Id();
        ua::TWriter w;
        w.Node_Id(e.Id);
        ua::TReader Back(w.Data);
        if (!(Back.Node_Id() == e.Id) || Back.Left() != 0) std::abort();
    } catch (const ua::EUaDecode&) {
    }
    return 0;
}
