// The component's module: its handle and the count of live objects and server locks that decides
// whether COM may unload it.
#pragma once
#include <windows.h>

#include <string>

namespace images {

HMODULE ModuleHandle();
std::wstring ModulePath();

void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

}  // namespace images
