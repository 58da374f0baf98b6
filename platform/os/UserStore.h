#pragma once
// The current user's store of named settings under key paths ("Software\Maker\Program"),
// kept in one settings file in the user's configuration folder. It takes the place a
// per-user registry has on other systems: keys are opened (or created) by path, values
// are integers or texts, and every write reaches the file at once.
#include <optional>

#include "platform/os/IniFiles.h"

CONF_DECLARE_EXCEPTION(ERegistryException, Exception);

// The folder of the store's file: $XDG_CONFIG_HOME/configurator, else
// ~/.config/configurator. Tests point it elsewhere; "" returns to the default.
void SetUserStoreFolder(const String& Folder);
String UserStoreFileName();

class TRegistry {
public:
    // Opens the key at Path (separators "\" or "/", case ignored); with CanCreate a missing
    // key is made. False for an empty path, a path holding a line break or "[" / "]", or a
    // missing key without CanCreate.
    bool OpenKey(const String& Path, bool CanCreate);
    void CloseKey() { FKey.reset(); }
    bool KeyExists(const String& Path) const;
    bool DeleteKey(const String& Path);
    bool ValueExists(const String& Name) const;
    // ERegistryException when no key is open, the value is missing or is no integer.
    int ReadInteger(const String& Name) const;
    String ReadString(const String& Name) const;
    void WriteInteger(const String& Name, int Value);
    void WriteString(const String& Name, const String& Value);
    bool DeleteValue(const String& Name);
    const String& CurrentPath() const;

private:
    const String& Key() const;
    std::optional<String> FKey;
};
