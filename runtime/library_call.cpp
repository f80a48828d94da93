#include "runtime/library_call.h"

#include "runtime/scoped_win.h"

namespace rt {

std::optional<HRESULT> CallLibraryFunction(const std::string& path, const char* function) {
  // Only the named file: no search along the path for a library of the same name.
  ScopedModule library(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) return std::nullopt;
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(GetProcAddress(library.get(), function));
  if (!entry) return std::nullopt;
  return entry();
}

}  // namespace rt
