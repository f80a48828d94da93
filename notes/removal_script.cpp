#include "notes/removal_script.h"

#include <string_view>

namespace notes {
namespace {

constexpr std::string_view kFolderPlaceholder = "根目录";
constexpr std::string_view kScriptPlaceholder = "执行文件名";

std::string ForBatchFile(std::string_view path) {
  std::string escaped;
  // No trail byte of a double-byte character is 0x25 in code page 936, so bytes can be compared.
  for (char c : path) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

}  // namespace

const char kRemovalScriptTemplate[] = "Rd /s /q \"根目录\"\r\nDel /f /q \"执行文件名\"";

std::string RemovalScriptText(const std::string& folderPath, const std::string& scriptPath) {
  // One pass over the template, so that text put in for one placeholder is never searched again.
  std::string_view rest = kRemovalScriptTemplate;
  std::string script;
  while (!rest.empty()) {
    if (rest.starts_with(kFolderPlaceholder)) {
      script += ForBatchFile(folderPath);
      rest.remove_prefix(kFolderPlaceholder.size());
    } else if (rest.starts_with(kScriptPlaceholder)) {
      script += ForBatchFile(scriptPath);
      rest.remove_prefix(kScriptPlaceholder.size());
    } else {
      script += rest.front();
      rest.remove_prefix(1);
    }
  }
  return script;
}

std::string RemovalScriptPath(const std::string& tempDirectory, const std::string& identifier) {
  return tempDirectory + identifier + "_Speed.bat";
}

}  // namespace notes
