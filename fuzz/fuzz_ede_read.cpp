// EDE object lists of other devices as the import reads them: any bytes give either a
// refusal or a list of objects of the kept types, each line's fields split at ";" only.
#include "devdesc/ede/UEDE_Read.h"
#include "fuzz/FuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const TEDE_Read R = Read_EDE_Text(fuzz::Bytes(Data, Size));
    fuzz::Check(R.Ok || R.Vars.empty(), "a refused file brings no objects");
    fuzz::Check(R.Vars.size() <= Size, "no more objects than bytes");
    for (const auto& V : R.Vars) {
        fuzz::Check(EDE_Type_Is_Kept(V->object_type), "only kept object types", std::to_string(V->object_type));
        fuzz::Check(V->import && V->read && V->write == V->commandable, "a kept object starts chosen for reading");
        for (const String* F : {&V->keyname, &V->object_name, &V->description, &V->unit_code})
            fuzz::Check(F->find(';') == String::npos, "no field but the last holds a \";\"", fuzz::Printable(*F));
    }
    return 0;
}
