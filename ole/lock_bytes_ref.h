// Borrowing wrapper over an ILockBytes; since slot 2 is Release on every interface, it also
// releases any interface pointer it is attached to.
#pragma once
#include <windows.h>

namespace ole {

class LockBytesRef {
public:
  // Stores the pointer without a reference; 1 when it is non-null, 0 when null.
  int Attach(void* object);
  // Release (slot 2): the new reference count; 0 without a call when empty.
  LONG Release();

  void* Pointer() const { return pointer_; }
  const void* MethodTable() const { return methodTable_; }

private:
  void* pointer_ = nullptr;
  const void* methodTable_ = nullptr;
};

}  // namespace ole
