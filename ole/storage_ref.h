// Borrowing wrapper over an IStorage, called by slot.
#pragma once
#include <windows.h>

#include <string_view>

namespace ole {

class StorageRef {
public:
  // Stores the pointer without a reference; 1 when it is non-null, 0 when null.
  int Attach(void* storage);
  // IStorage::Release (slot 2): the new reference count. Callers attach first.
  LONG Release();
  // IStorage::CreateStorage (slot 5); E_NOINTERFACE when empty.
  HRESULT CreateStorage(std::string_view name, DWORD mode, DWORD reserved1, DWORD reserved2, void** storage);

  void* Pointer() const { return pointer_; }
  const void* MethodTable() const { return methodTable_; }

private:
  void* pointer_ = nullptr;
  const void* methodTable_ = nullptr;
};

}  // namespace ole
