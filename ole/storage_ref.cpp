#include "ole/storage_ref.h"

#include "ole/interface_call.h"
#include "ole/text_to_utf16.h"

namespace ole {
namespace {

constexpr int kRelease = 2;
constexpr int kCreateStorage = 5;

}  // namespace

int StorageRef::Attach(void* storage) {
  pointer_ = storage;
  methodTable_ = MethodTableOf(storage);
  return storage ? 1 : 0;
}

LONG StorageRef::Release() {
  // An empty wrapper has nothing to release; no caller asks it to.
  if (!pointer_) return 0;
  return CallInterfaceSlot(methodTable_, kRelease, {reinterpret_cast<ArgumentWord>(pointer_)});
}

HRESULT StorageRef::CreateStorage(std::string_view name, DWORD mode, DWORD reserved1, DWORD reserved2,
                                  void** storage) {
  if (!pointer_) return kENoInterface;
  std::vector<wchar_t> wideName = TextToUtf16(name);
  return CallInterfaceSlot(methodTable_, kCreateStorage,
                           {reinterpret_cast<ArgumentWord>(pointer_), reinterpret_cast<ArgumentWord>(wideName.data()),
                            mode, reserved1, reserved2, reinterpret_cast<ArgumentWord>(storage)});
}

}  // namespace ole
