#include "tests/support/saved_registry_key.h"

#include "runtime/scoped_win.h"

namespace testing_support {
namespace {

std::unique_ptr<SavedRegistryKey::Tree> ReadTree(HKEY key) {
  auto tree = std::make_unique<SavedRegistryKey::Tree>();
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD nameSize = sizeof name, type = 0, dataSize = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
    std::string data(dataSize, '\0');
    nameSize = sizeof name;
    RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &dataSize);
    data.resize(dataSize);
    tree->values.push_back({std::string(name, nameSize), type, data});
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
    rt::ScopedKey sub(raw);
    tree->subkeys.emplace_back(std::string(name, nameSize), ReadTree(sub.get()));
  }
  return tree;
}

void WriteTree(HKEY key, const SavedRegistryKey::Tree& tree) {
  for (const auto& v : tree.values)
    RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                   static_cast<DWORD>(v.data.size()));
  for (const auto& [name, sub] : tree.subkeys) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
      continue;
    rt::ScopedKey child(raw);
    WriteTree(child.get(), *sub);
  }
}

}  // namespace

SavedRegistryKey::SavedRegistryKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
  rt::ScopedKey key(raw);
  saved_ = ReadTree(key.get());
}

SavedRegistryKey::~SavedRegistryKey() {
  DeleteRegistryTree(root_, path_);
  if (!saved_) return;
  HKEY raw = nullptr;
  if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
    return;
  rt::ScopedKey key(raw);
  WriteTree(key.get(), *saved_);
}

bool DeleteRegistryTree(HKEY root, const std::string& path) {
  RegDeleteTreeA(root, path.c_str());
  RegDeleteKeyA(root, path.c_str());
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return true;
  RegCloseKey(raw);
  return false;
}

}  // namespace testing_support
