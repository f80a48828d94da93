// The class object that COM asks for the component's one class.
#pragma once
#include <windows.h>

namespace images {

HRESULT GetClassFactory(REFIID iid, void** object);

}  // namespace images
