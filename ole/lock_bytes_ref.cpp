#include "ole/lock_bytes_ref.h"

#include "ole/interface_call.h"

namespace ole {

int LockBytesRef::Attach(void* object) {
  pointer_ = object;
  methodTable_ = MethodTableOf(object);
  return object ? 1 : 0;
}

LONG LockBytesRef::Release() {
  if (!pointer_) return 0;
  constexpr int kRelease = 2;
  return CallInterfaceSlot(methodTable_, kRelease, {reinterpret_cast<ArgumentWord>(pointer_)});
}

}  // namespace ole
