// A device description file (SCL) as the IEC 61850 client editor decodes it into its
// catalogue. Decoding refuses only a file that is not XML (EXmlError); whatever else the
// file holds, it ends, and every data-set member is an attribute the device itself owns,
// with the reference its place in the model gives it.
#include <functional>
#include <set>

#include "editors/network/iec61850/UIEC_Client_Decode.h"
#include "fuzz/FuzzCommon.h"
#include "platform/xml/XMLDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Path = fuzz::Scratch_Folder() + "/device.icd";
    WriteFileAtomic(Path, std::string(fuzz::Bytes(Data, Size)));
    std::unique_ptr<TIEC_Device> D;
    try {
        D = std::make_unique<TIEC_Device>(Path);
    } catch (const EXmlError&) {
        return 0;
    }
    std::set<const TIEC_DA*> Owned;
    std::function<void(const TIEC_DA&, const String&)> da = [&](const TIEC_DA& a, const String& Parent) {
        fuzz::Check(a.fReference == Parent + "." + a.fName, "an attribute's reference extends its parent's", a.fReference);
        Owned.insert(&a);
        for (const auto& s : a.List_DA) da(*s, a.fReference);
    };
    std::function<void(const TIEC_DO&, const String&)> dob = [&](const TIEC_DO& o, const String& Parent) {
        const String Reference = Parent + "." + o.fName;
        for (const auto& s : o.List_DO) dob(*s, Reference);
        for (const auto& s : o.List_DA) da(*s, Reference);
    };
    for (const auto& l : D->List_LDevice)
        for (const auto& ln : l->List_LN)
            for (const auto& o : ln->List_DO)
                dob(*o, D->fName + l->fName + "/" + ln->fPrefix + ln->flnClass + ln->fInst);
    fuzz::Check(Owned.size() <= size_t(TIEC_Device::Max_Objects) * 2, "the model stays within its budget");
    for (const auto& l : D->List_LDevice)
        for (const auto& ln : l->List_LN)
            for (const auto& ds : ln->List_DataSet) {
                fuzz::Check(ds->fReference == D->fName + l->fName + "/" + ln->flnClass + "." + ds->fName,
                            "a data set's reference", ds->fReference);
                for (const TIEC_DA* m : ds->List_DA) fuzz::Check(Owned.count(m) == 1, "a member is an attribute of the device");
            }
    return 0;
}
