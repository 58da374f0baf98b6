#pragma once
// Loading a shared library by name at run time and finding its functions by name.
//
// A library is named without its file extension ("OPC_UA_Search"); the loader adds the
// system's extension (".so") and looks in the given folder first, then where the system
// looks for libraries. A loaded library stays loaded until Unload or the object's end.
#include <string>

class TDynLibrary {
public:
    TDynLibrary() = default;
    ~TDynLibrary();
    TDynLibrary(const TDynLibrary&) = delete;
    TDynLibrary& operator=(const TDynLibrary&) = delete;

    // Loads Name (any library loaded before is unloaded first); false when it cannot be
    // found or loaded, with the system's reason in Error().
    bool Load(const std::string& Name, const std::string& First_Folder = "");
    bool Loaded() const { return FHandle != nullptr; }
    // The address of a function of the loaded library, nullptr when it has none.
    void* Function(const char* Name) const;
    void Unload();
    const std::string& Error() const { return FError; }

    // The file name the loader looks for: Name with the system's extension.
    static std::string File_Name(const std::string& Name);

private:
    void* FHandle = nullptr;
    std::string FError;
};
