// Borrowing wrapper over the editor's IRichEditOle, called by slot.
#pragma once
#include <windows.h>

#include "runtime/com_object.h"

namespace ole {

class RichEditOleRef {
public:
  // Borrows the IRichEditOle that `editorOle` holds (after EM_GETOLEINTERFACE succeeded). Returns 1.
  int Attach(const rt::ComObject& editorOle);
  // IRichEditOle::Release (slot 2). The program never calls it.
  LONG Release();
  // IRichEditOle::GetClientSite (slot 3); E_NOINTERFACE when empty.
  HRESULT GetClientSite(void** site);
  // IRichEditOle::InsertObject (slot 7) with the address of a REOBJECT; E_NOINTERFACE when empty.
  HRESULT InsertObject(void* reobject);

  void* Pointer() const { return pointer_; }
  const void* MethodTable() const { return methodTable_; }

private:
  void* pointer_ = nullptr;
  const void* methodTable_ = nullptr;
};

}  // namespace ole
