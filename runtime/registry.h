// Registry values named by a root and one path text: the part after the last backslash is the
// value name, the part before it the key, so a path ending in a backslash names the key's
// default value.
#pragma once
#include <windows.h>

#include <string>

namespace rt {

// The value's text (REG_EXPAND_SZ with its environment variables expanded); the empty text when
// the key or value is missing or holds another type.
std::string ReadRegistryText(HKEY root, const std::string& path);

// Sets the value as REG_SZ, creating the key and every missing parent; true when it was set.
bool WriteRegistryText(HKEY root, const std::string& path, const std::string& text);

// Deletes the named value; when the key cannot be opened or the value is not deleted, deletes
// instead the key named by the whole path. True when either deletion succeeded.
bool DeleteRegistryItem(HKEY root, const std::string& path);

}  // namespace rt
