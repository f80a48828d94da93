#include "ole/rich_edit_ole_ref.h"

#include "ole/interface_call.h"

namespace ole {
namespace {

constexpr int kRelease = 2;
constexpr int kGetClientSite = 3;
constexpr int kInsertObject = 7;

}  // namespace

int RichEditOleRef::Attach(const rt::ComObject& editorOle) {
  pointer_ = editorOle.Get();
  methodTable_ = MethodTableOf(pointer_);
  return 1;
}

LONG RichEditOleRef::Release() {
  if (!pointer_) return 0;
  return CallInterfaceSlot(methodTable_, kRelease, {reinterpret_cast<ArgumentWord>(pointer_)});
}

HRESULT RichEditOleRef::GetClientSite(void** site) {
  if (!pointer_) return kENoInterface;
  return CallInterfaceSlot(methodTable_, kGetClientSite,
                           {reinterpret_cast<ArgumentWord>(pointer_), reinterpret_cast<ArgumentWord>(site)});
}

HRESULT RichEditOleRef::InsertObject(void* reobject) {
  if (!pointer_) return kENoInterface;
  return CallInterfaceSlot(methodTable_, kInsertObject,
                           {reinterpret_cast<ArgumentWord>(pointer_), reinterpret_cast<ArgumentWord>(reobject)});
}

}  // namespace ole
