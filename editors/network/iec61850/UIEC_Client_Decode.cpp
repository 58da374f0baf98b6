// Reading an SCL file into the device model: two passes over the logical devices, the
// first making the data model from the type templates, the second the data sets, whose
// members point into what the first pass made.
#include "editors/network/iec61850/UIEC_Client_Decode.h"

#include <algorithm>

#include "platform/os/Files.h"

std::unique_ptr<TXMLDocument> SCL_Document;

namespace {

// The element's name without a namespace prefix: files that qualify their elements
// ("scl:LDevice") decode like the usual ones.
std::string_view Local_Name(const std::string& Name)
{
    const size_t Colon = Name.rfind(':');
    return Colon == std::string::npos ? std::string_view(Name) : std::string_view(Name).substr(Colon + 1);
}

bool Is(const TXMLNode& Node, std::string_view Name) { return Local_Name(Node.NodeName()) == Name; }

// The attribute's text into Field when the element carries it; otherwise Field keeps its value.
void Read(const TXMLNode& Node, const char* Attribute, String& Field)
{
    String Value;
    if (Node.FindAttribute(Attribute, Value)) Field = Value;
}

TXMLNode First_Child(const TXMLNode& Node, std::string_view Name)
{
    for (const TXMLNode& c : Node.ChildNodes())
        if (Is(c, Name)) return c;
    return TXMLNode();
}

template <class T>
void Destroy_Last_To_First(std::vector<std::unique_ptr<T>>& List)
{
    while (!List.empty()) List.pop_back();
}

// Keeps a type open while its children are decoded.
class TOpen_Type {
public:
    TOpen_Type(TSCL_Types& Types, const char* Kind, const String& Type) : FTypes(Types)
    {
        FTypes.Open.emplace_back(Kind, Type);
    }
    ~TOpen_Type() { FTypes.Open.pop_back(); }

private:
    TSCL_Types& FTypes;
};

}  // namespace

// ---------------------------------------------------------------------------------
// Types
// ---------------------------------------------------------------------------------
bool TSCL_Types::Is_Open(const char* Kind, const String& Type) const
{
    return std::any_of(Open.begin(), Open.end(),
                       [&](const auto& o) { return std::string_view(o.first) == Kind && o.second == Type; });
}

std::vector<TXMLNode> TSCL_Types::Resolve(const char* Kind, const String& Type) const
{
    std::vector<TXMLNode> Children;
    if (Is_Open(Kind, Type) || Objects >= TIEC_Device::Max_Objects) return Children;
    for (const TXMLNode& t : DTT.ChildNodes()) {
        if (!Is(t, Kind)) continue;
        String Id;
        if (!t.FindAttribute("id", Id) || Id != Type) continue;
        for (const TXMLNode& c : t.ChildNodes()) Children.push_back(c);
    }
    return Children;
}

// ---------------------------------------------------------------------------------
// Destruction: children last to first; a data set only lets go of its members.
// ---------------------------------------------------------------------------------
TIEC_DA::~TIEC_DA() { Destroy_Last_To_First(List_DA); }
TIEC_DO::~TIEC_DO()
{
    Destroy_Last_To_First(List_DA);
    Destroy_Last_To_First(List_DO);
}
TIEC_DataSet::~TIEC_DataSet() { List_DA.clear(); }
TIEC_LN::~TIEC_LN()
{
    // The data sets point into the data objects: they go first.
    Destroy_Last_To_First(List_DataSet);
    Destroy_Last_To_First(List_DO);
}
TIEC_LDevice::~TIEC_LDevice() { Destroy_Last_To_First(List_LN); }
TIEC_Device::~TIEC_Device() { Destroy_Last_To_First(List_LDevice); }

// ---------------------------------------------------------------------------------
// Device
// ---------------------------------------------------------------------------------
TIEC_Device::TIEC_Device(const String& FileName_icd)
{
    fFileName = ExtractFileName(FileName_icd);
    SCL_Document = std::make_unique<TXMLDocument>();
    Decode_Device(FileName_icd);
}

void TIEC_Device::Decode_Device(const String& Path)
{
    if (!FileExists(Path)) return;
    SCL_Document->LoadFromFile(Path);
    const TXMLNode Root = SCL_Document->DocumentElement();
    if (!Root || !Is(Root, "SCL")) return;
    const TXMLNode IED = First_Child(Root, "IED");
    TSCL_Types Types;
    Types.DTT = First_Child(Root, "DataTypeTemplates");
    if (!IED || !Types.DTT) return;
    Read(IED, "name", fName);
    const TXMLNode Access_Point = First_Child(IED, "AccessPoint");
    if (!Access_Point) return;
    const TXMLNode Server = First_Child(Access_Point, "Server");
    if (!Server) return;

    const std::vector<TXMLNode> Children = Server.ChildNodes();
    for (const TXMLNode& c : Children) {
        if (!Is(c, "LDevice")) continue;
        auto LD = std::make_unique<TIEC_LDevice>();
        LD->Decode_LDevice(c, Types, fName, false, nullptr);
        List_LDevice.push_back(std::move(LD));
    }
    size_t k = 0;
    for (const TXMLNode& c : Children) {
        if (!Is(c, "LDevice")) continue;
        if (k < List_LDevice.size()) List_LDevice[k]->Decode_LDevice(c, Types, fName, true, this);
        ++k;
    }
}

TIEC_LDevice* TIEC_Device::Find_LDevice(const String& LD_Name) const
{
    for (const auto& ld : List_LDevice)
        if (ld->fName == LD_Name) return ld.get();
    return nullptr;
}

// ---------------------------------------------------------------------------------
// Logical device
// ---------------------------------------------------------------------------------
void TIEC_LDevice::Decode_LDevice(const TXMLNode& LDevice, TSCL_Types& DTT, const String& str_Reference,
                                  bool DataSetSearch, TIEC_Device* IEC_Device)
{
    Read(LDevice, "inst", fName);
    const String Reference = str_Reference + fName;
    size_t k = 0;
    for (const TXMLNode& c : LDevice.ChildNodes()) {
        if (!Is(c, "LN0") && !Is(c, "LN")) continue;
        if (!DataSetSearch) {
            auto LN = std::make_unique<TIEC_LN>();
            LN->Decode_LN(c, DTT, Reference);
            List_LN.push_back(std::move(LN));
        } else if (k < List_LN.size()) {
            List_LN[k]->Decode_LN_DataSet(c, DTT, Reference, IEC_Device);
        }
        ++k;
    }
}

TIEC_LN* TIEC_LDevice::Find_LN(const String& LN_Class) const
{
    for (const auto& ln : List_LN)
        if (ln->flnClass == LN_Class) return ln.get();
    return nullptr;
}

// ---------------------------------------------------------------------------------
// Logical node
// ---------------------------------------------------------------------------------
void TIEC_LN::Decode_LN(const TXMLNode& LN, TSCL_Types& DTT, const String& str_Reference)
{
    Read(LN, "lnClass", flnClass);
    Read(LN, "lnType", flnType);
    Read(LN, "prefix", fPrefix);
    Read(LN, "inst", fInst);
    const String Reference = str_Reference + "/" + fPrefix + flnClass + fInst;
    if (flnType.empty()) return;
    const std::vector<TXMLNode> Children = DTT.Resolve("LNodeType", flnType);
    TOpen_Type Open(DTT, "LNodeType", flnType);
    for (const TXMLNode& c : Children) {
        if (!Is(c, "DO")) continue;
        auto DO = std::make_unique<TIEC_DO>();
        ++DTT.Objects;
        DO->Decode_DO(c, DTT, Reference);
        List_DO.push_back(std::move(DO));
    }
}

void TIEC_LN::Decode_LN_DataSet(const TXMLNode& LN, TSCL_Types& DTT, const String& str_Reference,
                                TIEC_Device* IEC_Device)
{
    Read(LN, "lnClass", flnClass);
    const String Base = str_Reference + "/" + flnClass;
    String Type;
    Read(LN, "lnType", Type);
    if (Type.empty()) return;
    const std::vector<TXMLNode> Children = LN.ChildNodes();
    for (const TXMLNode& c : Children) {
        if (!Is(c, "DataSet")) continue;
        auto DS = std::make_unique<TIEC_DataSet>();
        DS->Decode_DataSet(c, DTT, Base, IEC_Device);
        List_DataSet.push_back(std::move(DS));
    }
    // Every data set of the node exists now, so a control block may stand before its data set.
    for (const TXMLNode& c : Children)
        if (Is(c, "GSEControl")) Decode_LN_Goose(c, str_Reference);
}

void TIEC_LN::Decode_LN_Goose(const TXMLNode& LN, const String&)
{
    String Name, Data_Set;
    Read(LN, "name", Name);
    Read(LN, "datSet", Data_Set);
    if (Name.empty() || Data_Set.empty()) return;
    for (const auto& ds : List_DataSet)
        if (ds->fName == Data_Set) {
            ds->fGooseName = Name;
            return;
        }
}

TIEC_DO* TIEC_LN::Find_DO(const String& DO_Name) const
{
    for (const auto& d : List_DO) {
        if (d->fName == DO_Name) return d.get();
        if (TIEC_DO* Found = d->Find_DO(DO_Name)) return Found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------
// Data object
// ---------------------------------------------------------------------------------
void TIEC_DO::Decode_DO(const TXMLNode& NDO, TSCL_Types& DTT, const String& str_Reference)
{
    Read(NDO, "name", fName);
    String Type;
    Read(NDO, "type", Type);
    const String Reference = str_Reference + "." + fName;
    if (Type.empty()) return;
    const std::vector<TXMLNode> Children = DTT.Resolve("DOType", Type);
    TOpen_Type Open(DTT, "DOType", Type);
    for (const TXMLNode& c : Children) {
        if (Is(c, "SDO")) {
            auto SDO = std::make_unique<TIEC_DO>();
            ++DTT.Objects;
            SDO->Decode_DO(c, DTT, Reference);
            List_DO.push_back(std::move(SDO));
        } else if (Is(c, "DA")) {
            auto DA = std::make_unique<TIEC_DA>();
            ++DTT.Objects;
            DA->Decode_DA(c, DTT, Reference, String());
            List_DA.push_back(std::move(DA));
        }
    }
}

TIEC_DO* TIEC_DO::Find_DO(const String& DO_Name) const
{
    for (const auto& d : List_DO) {
        if (d->fName == DO_Name) return d.get();
        if (TIEC_DO* Found = d->Find_DO(DO_Name)) return Found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DO::Find_DA(const String& DA_Name) const
{
    for (const auto& a : List_DA) {
        if (a->fName == DA_Name) return a.get();
        if (TIEC_DA* Found = a->Find_DA(DA_Name)) return Found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DO::Find_First_DA() const
{
    return List_DA.empty() ? nullptr : List_DA.front()->Find_First_DA();
}

// ---------------------------------------------------------------------------------
// Data attribute
// ---------------------------------------------------------------------------------
void TIEC_DA::Decode_DA(const TXMLNode& DA, TSCL_Types& DTT, const String& str_Reference, const String& FC_Father)
{
    Read(DA, "name", fName);
    fReference = str_Reference + "." + fName;
    Read(DA, "bType", fbType);
    fFC = FC_Father;
    Read(DA, "fc", fFC);
    String Type;
    if (!DA.FindAttribute("type", Type) || fbType == "Enum") return;
    const std::vector<TXMLNode> Children = DTT.Resolve("DAType", Type);
    TOpen_Type Open(DTT, "DAType", Type);
    for (const TXMLNode& c : Children) {
        if (!Is(c, "BDA")) continue;
        auto BDA = std::make_unique<TIEC_DA>();
        ++DTT.Objects;
        BDA->Decode_DA(c, DTT, fReference, fFC);
        List_DA.push_back(std::move(BDA));
    }
}

TIEC_DA* TIEC_DA::Find_DA(const String& DA_Name) const
{
    for (const auto& a : List_DA) {
        if (a->fName == DA_Name) return a.get();
        if (TIEC_DA* Found = a->Find_DA(DA_Name)) return Found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DA::Find_First_DA()
{
    TIEC_DA* a = this;
    while (!a->List_DA.empty()) a = a->List_DA.front().get();
    return a;
}

// ---------------------------------------------------------------------------------
// Data set
// ---------------------------------------------------------------------------------
void TIEC_DataSet::Decode_DataSet(const TXMLNode& DataSet, TSCL_Types&, const String& str_Reference,
                                  TIEC_Device* IEC_Device)
{
    Read(DataSet, "name", fName);
    fReference = str_Reference + "." + fName;
    if (!IEC_Device) return;
    for (const TXMLNode& c : DataSet.ChildNodes()) {
        if (!Is(c, "FCDA")) continue;
        // Nothing carries over from the member before.
        String ldInst, lnClass, doName, daName;
        Read(c, "ldInst", ldInst);
        Read(c, "lnClass", lnClass);
        Read(c, "doName", doName);
        Read(c, "daName", daName);
        if (ldInst.empty() || lnClass.empty() || doName.empty()) continue;
        const TIEC_LDevice* LD = IEC_Device->Find_LDevice(ldInst);
        const TIEC_LN* LN = LD ? LD->Find_LN(lnClass) : nullptr;
        const TIEC_DO* DO = LN ? LN->Find_DO(doName) : nullptr;
        if (!DO) continue;
        TIEC_DA* Member = !daName.empty() ? DO->Find_DA(daName) : DO->Find_First_DA();
        if (Member) List_DA.push_back(Member);
    }
}
