// Owning wrapper over an embedded object's IOleObject, called by slot. It holds the one
// reference it took in Attach until it is destroyed or attached again.
#pragma once
#include <windows.h>

#include "runtime/com_object.h"

namespace ole {

class OleObjectRef {
public:
  // Asks the object for IOleObject. 1 on success, replacing (and dropping) what the wrapper held;
  // 0 when the object is empty or refuses, and the wrapper keeps what it held.
  int Attach(const rt::ComObject& object);
  // The raw IOleObject pointer; null when empty.
  void* GetPointer() const { return pointer_; }
  // IOleObject::DoVerb (slot 11); E_NOINTERFACE when empty.
  HRESULT DoVerb(LONG verb, void* message, void* activeSite, LONG viewIndex, HWND parent, const RECT* position);
  // IOleObject::GetUserClassID (slot 15) into a 16-byte buffer; E_NOINTERFACE when empty.
  HRESULT GetUserClassID(CLSID* clsid);

  const void* MethodTable() const { return methodTable_; }

private:
  rt::ComObject object_;  // owns the IOleObject reference
  void* pointer_ = nullptr;
  const void* methodTable_ = nullptr;
};

}  // namespace ole
