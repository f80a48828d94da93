// A registry key tree put back as it was when the test is over, so that tests which change the
// shared test prefix's registry leave it as they found it, in whatever order they run.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

class SavedRegistryKey {
public:
  // Remembers the key's values and subkeys (or that it does not exist).
  SavedRegistryKey(HKEY root, std::string path);
  SavedRegistryKey(const SavedRegistryKey&) = delete;
  SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;
  // Deletes whatever the key holds now and writes back what it held.
  ~SavedRegistryKey();

  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  struct Tree {
    std::vector<Value> values;
    std::vector<std::pair<std::string, std::unique_ptr<Tree>>> subkeys;
  };

private:
  HKEY root_;
  std::string path_;
  std::unique_ptr<Tree> saved_;  // null when the key did not exist
};

// Removes a key with everything under it; true when it is gone afterwards.
bool DeleteRegistryTree(HKEY root, const std::string& path);

}  // namespace testing_support
