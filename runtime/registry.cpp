#include "runtime/registry.h"

#include <utility>

#include "runtime/scoped_win.h"
#include "runtime/text.h"

namespace rt {
namespace {

// Key path and value name of a registry path.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
  size_t slash = FindLastBackslash(path);
  if (slash == std::string::npos) return {std::string(), path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

std::string ExpandEnvironment(const std::string& text) {
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::string expanded(needed, '\0');
  DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);  // the count includes the terminating zero
  return expanded;
}

}  // namespace

std::string ReadRegistryText(HKEY root, const std::string& path) {
  auto [keyPath, name] = SplitPath(path);
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return {};
  ScopedKey key(raw);
  // The value can change between the size query and the read: try again while it grows.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::string data(size + 1, '\0');  // room for a zero the value may lack
    DWORD got = size;
    LSTATUS status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    data.resize(got);
    std::string text = TextFromBytes(data);
    return type == REG_EXPAND_SZ ? ExpandEnvironment(text) : text;
  }
  return {};
}

bool WriteRegistryText(HKEY root, const std::string& path, const std::string& text) {
  auto [keyPath, name] = SplitPath(path);
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_WRITE, &raw) != ERROR_SUCCESS) {
    raw = nullptr;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
      return false;
  }
  ScopedKey key(raw);
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteRegistryItem(HKEY root, const std::string& path) {
  auto [keyPath, name] = SplitPath(path);
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_WRITE, &raw) == ERROR_SUCCESS) {
    ScopedKey key(raw);
    if (RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS) return true;
  }
  return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace rt
