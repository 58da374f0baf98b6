// The walk over a server's address space.
#include "platform/opcua/UaBrowse.h"

#include <deque>
#include <set>

namespace ua {

namespace {
constexpr uint32_t Objects_Folder = 85;
constexpr uint32_t Node_Class_Variable = 2;
constexpr uint32_t Attr_Data_Type = 14, Attr_Value_Rank = 15, Attr_Access_Level = 17, Attr_User_Access_Level = 18;
constexpr size_t Browse_Batch = 32;
constexpr size_t Read_Batch = 100;
// Fewer references per answer than a large folder holds, so continuation is the rule.
constexpr uint32_t References_Per_Node = 1000;

bool Good(uint32_t Status) { return (Status & 0xC0000000u) == 0; }
}  // namespace

int32_t Data_Type_Code(const TNodeId& Type)
{
    if (Type.Ns != 0 || Type.Type != Id_Numeric) return -1;
    // Boolean (1) .. ByteString (15) follow the converter's order one below.
    if (Type.Numeric >= 1 && Type.Numeric <= 15) return int32_t(Type.Numeric) - 1;
    switch (Type.Numeric) {
    case 290: return 10;   // Duration is a Double
    case 294: return 12;   // UtcTime is a DateTime
    case 288: case 289: return 6;   // IntegerId, Counter are UInt32
    case 29: return 5;     // enumerations travel as Int32
    default: return -1;
    }
}

std::vector<TFound_Variable> Browse_Server(const TUaSettings& Settings, const TWalk_Limits& Limits)
{
    TUaClient Client(Settings);
    Client.Open();
    std::vector<TFound_Variable> Found;
    std::set<TNodeId> Seen {Numeric_Id(Objects_Folder)};
    std::deque<std::pair<TNodeId, int>> Queue {{Numeric_Id(Objects_Folder), 0}};
    bool Full = false;
    const auto Take = [&](const std::vector<TReference>& Refs, int Depth) {
        for (const TReference& r : Refs) {
            // Namespace 0 holds the server's own standard nodes, not the user's variables.
            if (!r.Node.Local() || r.Node.Id.Ns == 0 || Full) continue;
            if (!Seen.insert(r.Node.Id).second) continue;
            if (Seen.size() >= Limits.Max_Nodes) Full = true;
            if (r.Node_Class == Node_Class_Variable) {
                Found.push_back({r.Node.Id, r.Display_Name.empty() ? r.Browse_Name : r.Display_Name, -1, 0});
                if (Found.size() >= Limits.Max_Variables) Full = true;
            }
            if (Depth + 1 < Limits.Max_Depth) Queue.emplace_back(r.Node.Id, Depth + 1);
        }
    };
    while (!Queue.empty() && !Full) {
        std::vector<TNodeId> Batch;
        std::vector<int> Depths;
        while (!Queue.empty() && Batch.size() < Browse_Batch) {
            Batch.push_back(Queue.front().first);
            Depths.push_back(Queue.front().second);
            Queue.pop_front();
        }
        const std::vector<TBrowseResult> Results = Client.Browse(Batch, References_Per_Node);
        for (size_t i = 0; i < Results.size(); ++i) {
            if (!Good(Results[i].Status)) continue;
            Take(Results[i].References, Depths[i]);
            std::string Point = Results[i].Continuation;
            while (!Point.empty()) {
                if (Full) {
                    Client.Browse_Next({Point}, true);
                    break;
                }
                const std::vector<TBrowseResult> Next = Client.Browse_Next({Point}, false);
                if (!Good(Next[0].Status)) break;
                Take(Next[0].References, Depths[i]);
                Point = Next[0].Continuation;
            }
        }
    }
    // The attributes, a batch of variables at a time.
    std::vector<TFound_Variable> Kept;
    for (size_t at = 0; at < Found.size(); at += Read_Batch) {
        const size_t n = std::min(Read_Batch, Found.size() - at);
        std::vector<std::pair<TNodeId, uint32_t>> Items;
        for (size_t i = 0; i < n; ++i)
            for (uint32_t a : {Attr_Data_Type, Attr_Value_Rank, Attr_Access_Level, Attr_User_Access_Level})
                Items.emplace_back(Found[at + i].Id, a);
        const std::vector<TReadValue> v = Client.Read(Items);
        for (size_t i = 0; i < n; ++i) {
            const TReadValue& Type = v[4 * i];
            const TReadValue& Rank = v[4 * i + 1];
            const TReadValue& Access = v[4 * i + 2];
            const TReadValue& User = v[4 * i + 3];
            // Arrays are not offered: the converter maps single values.
            if (Good(Rank.Status) && Rank.Has_Value && Rank.Integer >= 0) continue;
            uint8_t Level = 3;
            if (Good(Access.Status) && Access.Has_Value) Level = uint8_t(Access.Integer & 3);
            if (Good(User.Status) && User.Has_Value) Level &= uint8_t(User.Integer & 3);
            // Neither readable nor writable: nothing to map (and 0 would read as both).
            if (Level == 0) continue;
            TFound_Variable f = Found[at + i];
            f.Data_Type = Good(Type.Status) && Type.Type == 17 ? Data_Type_Code(Type.Node) : -1;
            f.Access = Level;
            Kept.push_back(std::move(f));
        }
    }
    Client.Close();
    return Kept;
}

}  // namespace ua
