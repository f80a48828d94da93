#include "shell/icon_file.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "runtime/system_directory.h"

namespace shell {
namespace {

constexpr WORD kIconResourceId = 1;

// The directory of an icon group resource: the file's directory with a resource id in place of
// each image's file offset.
#pragma pack(push, 2)
struct GroupIconDir {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

#pragma pack(push, 1)
struct IconDirEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  DWORD imageOffset;
};
#pragma pack(pop)

// A resource's bytes; the data lives as long as the module.
std::string_view ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const char*>(data), SizeofResource(module, found)};
}

template <typename T>
void Append(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::string IconFileBytes() {
  HMODULE module = GetModuleHandleA(nullptr);
  std::string_view group = ResourceBytes(module, MAKEINTRESOURCEA(kIconResourceId), RT_GROUP_ICON);
  if (group.size() < sizeof(GroupIconDir)) return {};
  GroupIconDir dir;
  std::memcpy(&dir, group.data(), sizeof dir);
  if (group.size() < sizeof dir + dir.count * sizeof(GroupIconEntry)) return {};

  std::string header, images;
  Append(header, dir);
  DWORD offset = static_cast<DWORD>(sizeof dir + dir.count * sizeof(IconDirEntry));
  for (WORD i = 0; i < dir.count; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + sizeof dir + i * sizeof entry, sizeof entry);
    std::string_view image = ResourceBytes(module, MAKEINTRESOURCEA(entry.id), RT_ICON);
    if (image.empty()) return {};
    IconDirEntry fileEntry{entry.width, entry.height,  entry.colorCount, entry.reserved,
                           entry.planes, entry.bitCount, static_cast<DWORD>(image.size()), offset};
    Append(header, fileEntry);
    images.append(image);
    offset += static_cast<DWORD>(image.size());
  }
  return header + images;
}

std::string IconPath() {
  std::string folder = rt::SystemDirectory();
  return folder.empty() ? std::string() : folder + "xw.ico";
}

}  // namespace shell
