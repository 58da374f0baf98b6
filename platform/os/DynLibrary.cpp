// Shared libraries through the system's dynamic loader.
#include "platform/os/DynLibrary.h"

#include <dlfcn.h>

#include "platform/os/Files.h"

TDynLibrary::~TDynLibrary() { Unload(); }

std::string TDynLibrary::File_Name(const std::string& Name) { return Name + ".so"; }

bool TDynLibrary::Load(const std::string& Name, const std::string& First_Folder)
{
    Unload();
    FError.clear();
    const std::string File = File_Name(Name);
    // Bound at once, so a library whose functions need what the program does not offer
    // fails here and not at its first call.
    if (!First_Folder.empty()) {
        const std::string Path = PathJoin(First_Folder, File);
        if (FileExists(Path)) {
            FHandle = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!FHandle) {
                const char* e = dlerror();
                FError = e ? e : Path;
                return false;
            }
            return true;
        }
    }
    FHandle = dlopen(File.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) {
        const char* e = dlerror();
        FError = e ? e : File;
    }
    return FHandle != nullptr;
}

void* TDynLibrary::Function(const char* Name) const
{
    if (!FHandle || !Name) return nullptr;
    return dlsym(FHandle, Name);
}

void TDynLibrary::Unload()
{
    if (FHandle) dlclose(FHandle);
    FHandle = nullptr;
}
