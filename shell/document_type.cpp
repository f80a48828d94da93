#include "shell/document_type.h"

#include <windows.h>
#include <shlobj.h>

#include "runtime/files.h"
#include "runtime/registry.h"
#include "shell/icon_file.h"

namespace shell {
namespace {

constexpr char kTypeName[] = "xw";
constexpr char kFileExtsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";

}  // namespace

void EnsureIconFile() {
  std::string path = IconPath();
  if (path.empty() || rt::FileExists(path)) return;
  std::string bytes = IconFileBytes();
  // Without the right to write into the system directory the association still names the path.
  if (!bytes.empty()) rt::WriteWholeFile(path, bytes);
}

void EnsureDocumentType() {
  std::string type = kTypeName;
  if (rt::ReadRegistryText(HKEY_CLASSES_ROOT, "." + type + "\\") == type + "file") return;
  RegisterDocumentType(rt::RunDirectory() + "\\" + rt::ProgramFileName(), type, IconPath(), true);
}

bool RegisterDocumentType(const std::string& programPath, const std::string& typeName,
                          const std::string& iconPath, bool reset) {
  if (reset) {
    // The user's own choices would otherwise win over the association written below.
    std::string key = kFileExtsKey + typeName + "\\";
    rt::DeleteRegistryItem(HKEY_CURRENT_USER, key + "OpenWithList");
    rt::DeleteRegistryItem(HKEY_CURRENT_USER, key + "OpenWithProgids");
    rt::DeleteRegistryItem(HKEY_CURRENT_USER, key);
  }
  std::string fileType = typeName + "file";
  if (!rt::WriteRegistryText(HKEY_CLASSES_ROOT, "." + typeName + "\\", fileType)) return false;
  if (!rt::WriteRegistryText(HKEY_CLASSES_ROOT, fileType + "\\", typeName)) return false;
  if (!rt::WriteRegistryText(HKEY_CLASSES_ROOT, fileType + "\\DefaultIcon\\", iconPath + ",0")) return false;
  // Quoted, so that a path with blanks cannot be read as another program followed by arguments.
  if (!rt::WriteRegistryText(HKEY_CLASSES_ROOT, fileType + "\\shell\\open\\command\\",
                             "\"" + programPath + "\" \"%1\""))
    return false;
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return true;
}

}  // namespace shell
