// The two-line batch script that removes a folder with everything in it and then itself.
#pragma once
#include <string>

namespace notes {

// The script's template: "根目录" stands for the folder, "执行文件名" for the script's own path.
extern const char kRemovalScriptTemplate[];

// The script for a folder path (ending with a backslash) and the path it is written to. Both
// paths are taken literally: "%" is doubled, since cmd.exe expands it even inside quotes, and
// a placeholder text inside a path is never replaced again.
std::string RemovalScriptText(const std::string& folderPath, const std::string& scriptPath);

// Temporary directory + identifier + "_Speed.bat".
std::string RemovalScriptPath(const std::string& tempDirectory, const std::string& identifier);

}  // namespace notes
