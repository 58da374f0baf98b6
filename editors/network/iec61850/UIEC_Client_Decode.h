#pragma once
// One device description file (SCL) read into a tree of objects: the first IED of the
// file with its logical devices, their logical nodes, the data objects of each node with
// their sub-data objects, the data attributes with their sub-attributes, and each node's
// data sets with their resolved members and the name of the GOOSE control block that
// publishes them. A device is decoded whole in its constructor and only read afterwards;
// the client editor links tree nodes into it.
//
// References are built without blanks:
//   logical device   IED name + LDevice inst
//   logical node     logical device + "/" + prefix + lnClass + inst
//   data object      logical node + "." + name; a sub-data object: its parent + "." + name
//   attribute        its data object (or parent attribute) + "." + name
//   data set         logical device + "/" + lnClass + "." + name (no prefix, no inst)
// Only attributes and data sets keep theirs.
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

class TIEC_Device;
class TIEC_DataSet;
// A node of the program's tree control (treeview/), which the client editor links into
// the model; declared here alone, so the model can be used beside the grid.
struct TLazyNode;
using PLazyNode = TLazyNode*;

// The DataTypeTemplates of the file being decoded, with what keeps the resolving of types
// finite: the types being expanded on the way down (a type met again inside itself gives
// an object without children) and the count of objects made so far.
struct TSCL_Types {
    TXMLNode DTT;
    std::vector<std::pair<const char*, String>> Open;   // kind and id of the types being expanded
    long long Objects = 0;
    // The children of every element of that kind ("LNodeType", "DOType", "DAType") whose
    // id is Type, definitions in file order. Empty when the type is already open on the
    // way down or the object budget is spent.
    std::vector<TXMLNode> Resolve(const char* Kind, const String& Type) const;
    bool Is_Open(const char* Kind, const String& Type) const;
};

class TIEC_DA {
public:
    TIEC_DA() = default;
    ~TIEC_DA();
    TIEC_DA(const TIEC_DA&) = delete;
    TIEC_DA& operator=(const TIEC_DA&) = delete;

    String fReference;   // full reference
    String fFC;          // functional constraint (inherited from the parent attribute)
    String fbType;       // basic type as written ("Enum", "INT32" ...)
    String fName;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;   // sub-attributes (BDA)
    PLazyNode TreeNode = nullptr;

    // Depth-first below this attribute, each name before its children; a dotted path
    // matches nothing. nullptr when none.
    TIEC_DA* Find_DA(const String& DA_Name) const;
    // The first leaf: the first sub-attribute, its first sub-attribute ... (this one when
    // it has none).
    TIEC_DA* Find_First_DA();

    // Name, reference, constraint (FC_Father unless the element has its own), basic type,
    // and the sub-attributes of its type unless the type is an enumeration.
    void Decode_DA(const TXMLNode& DA, TSCL_Types& DTT, const String& str_Reference, const String& FC_Father);
};

class TIEC_DO {
public:
    TIEC_DO() = default;
    ~TIEC_DO();
    TIEC_DO(const TIEC_DO&) = delete;
    TIEC_DO& operator=(const TIEC_DO&) = delete;

    String fName;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;   // sub-data objects (SDO)
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;   // attributes (DA)
    PLazyNode TreeNode = nullptr;

    // This object's sub-data objects, depth-first, each name before its children.
    TIEC_DO* Find_DO(const String& DO_Name) const;
    // Over this object's attributes and their sub-attributes (not those of sub-data objects).
    TIEC_DA* Find_DA(const String& DA_Name) const;
    // The first leaf of the first attribute; nullptr without attributes.
    TIEC_DA* Find_First_DA() const;

    // Name, reference, then the SDO and DA children of its type.
    void Decode_DO(const TXMLNode& NDO, TSCL_Types& DTT, const String& str_Reference);
};

class TIEC_DataSet {
public:
    TIEC_DataSet() = default;
    ~TIEC_DataSet();
    TIEC_DataSet(const TIEC_DataSet&) = delete;
    TIEC_DataSet& operator=(const TIEC_DataSet&) = delete;

    // Name, reference, and each FCDA resolved within IEC_Device (members that resolve to
    // nothing are left out).
    void Decode_DataSet(const TXMLNode& DataSet, TSCL_Types& DTT, const String& str_Reference, TIEC_Device* IEC_Device);

    String fName;
    String fReference;
    String fGooseName;               // the GSEControl that publishes it; empty when none
    std::vector<TIEC_DA*> List_DA;   // resolved members, owned by the data objects of the device
    PLazyNode TreeNode = nullptr;
};

class TIEC_LN {
public:
    TIEC_LN() = default;
    ~TIEC_LN();
    TIEC_LN(const TIEC_LN&) = delete;
    TIEC_LN& operator=(const TIEC_LN&) = delete;

    String flnClass, flnType, fPrefix, fInst;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    PLazyNode TreeNode = nullptr;

    // Depth-first over the data objects and their sub-data objects.
    TIEC_DO* Find_DO(const String& DO_Name) const;

    // First pass: classes, type and the data objects of the type.
    void Decode_LN(const TXMLNode& LN, TSCL_Types& DTT, const String& str_Reference);
    // Second pass: the data sets, then the GOOSE names of the control blocks.
    void Decode_LN_DataSet(const TXMLNode& LN, TSCL_Types& DTT, const String& str_Reference, TIEC_Device* IEC_Device);
    void Decode_LN_Goose(const TXMLNode& LN, const String& str_Reference);
};

class TIEC_LDevice {
public:
    TIEC_LDevice() = default;
    ~TIEC_LDevice();
    TIEC_LDevice(const TIEC_LDevice&) = delete;
    TIEC_LDevice& operator=(const TIEC_LDevice&) = delete;

    String fName;   // inst
    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    PLazyNode TreeNode = nullptr;

    // The first logical node (LN0 included) of that class; prefix and inst are not looked at.
    TIEC_LN* Find_LN(const String& LN_Class) const;

    // Pass 1 (DataSetSearch false) makes the logical nodes; pass 2 gives the k-th node the
    // data sets of the k-th LN0/LN element.
    void Decode_LDevice(const TXMLNode& LDevice, TSCL_Types& DTT, const String& str_Reference, bool DataSetSearch,
                        TIEC_Device* IEC_Device);
};

class TIEC_Device {
public:
    // Decodes the file at FileName_icd. A missing file gives an empty device; a file that
    // is not well-formed XML raises EXmlError (from the constructor: no device is made).
    explicit TIEC_Device(const String& FileName_icd);
    ~TIEC_Device();
    TIEC_Device(const TIEC_Device&) = delete;
    TIEC_Device& operator=(const TIEC_Device&) = delete;

    String fName;       // the IED's name
    String fFileName;   // the file-name part of the path
    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    PLazyNode TreeNode = nullptr;

    TIEC_LDevice* Find_LDevice(const String& LD_Name) const;

    // Every data object and attribute the decoding may make for one device. A type that
    // names types that name types ... several times each grows the model by a factor at
    // every level; past this many objects types are no longer expanded (the objects stay
    // without children), so a hostile file cannot exhaust memory or time.
    static constexpr long long Max_Objects = 500000;

private:
    void Decode_Device(const String& Path);
};

// The document the last device was decoded from (a new one for every device).
extern std::unique_ptr<TXMLDocument> SCL_Document;
