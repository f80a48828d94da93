#include "ole/ole_object_ref.h"

#include <objbase.h>

#include "ole/interface_call.h"

namespace ole {
namespace {

constexpr int kDoVerb = 11;
constexpr int kGetUserClassID = 15;
constexpr char kIidIOleObject[] = "{00000112-0000-0000-C000-000000000046}";

}  // namespace

int OleObjectRef::Attach(const rt::ComObject& object) {
  if (object.Empty()) return 0;
  IID iid{};
  wchar_t text[40] = {};
  MultiByteToWideChar(CP_ACP, 0, kIidIOleObject, -1, text, 40);
  if (FAILED(IIDFromString(text, &iid))) return 0;
  rt::ComObject found;
  if (FAILED(object.Query(iid, found)) || found.Empty()) return 0;
  object_ = std::move(found);
  pointer_ = object_.Get();
  methodTable_ = MethodTableOf(pointer_);
  return 1;
}

HRESULT OleObjectRef::DoVerb(LONG verb, void* message, void* activeSite, LONG viewIndex, HWND parent,
                             const RECT* position) {
  if (!pointer_) return kENoInterface;
  return CallInterfaceSlot(methodTable_, kDoVerb,
                           {reinterpret_cast<ArgumentWord>(pointer_), static_cast<ArgumentWord>(verb),
                            reinterpret_cast<ArgumentWord>(message), reinterpret_cast<ArgumentWord>(activeSite),
                            static_cast<ArgumentWord>(viewIndex), reinterpret_cast<ArgumentWord>(parent),
                            reinterpret_cast<ArgumentWord>(position)});
}

HRESULT OleObjectRef::GetUserClassID(CLSID* clsid) {
  if (!pointer_) return kENoInterface;
  return CallInterfaceSlot(methodTable_, kGetUserClassID,
                           {reinterpret_cast<ArgumentWord>(pointer_), reinterpret_cast<ArgumentWord>(clsid)});
}

}  // namespace ole
