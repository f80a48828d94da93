#include "runtime/open_address.h"

#include <windows.h>
#include <shellapi.h>

namespace rt {
namespace {

AddressOpener& TestOpener() {
  static AddressOpener opener;
  return opener;
}

}  // namespace

void OpenAddress(const std::string& address) {
  if (TestOpener()) {
    TestOpener()(address);
    return;
  }
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetAddressOpenerForTesting(AddressOpener opener) { TestOpener() = std::move(opener); }

}  // namespace rt
