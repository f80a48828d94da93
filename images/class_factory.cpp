#include "images/class_factory.h"

#include <ole2.h>

#include "images/gif_animator.h"
#include "images/module.h"

namespace images {
namespace {

// One static class object; its references only keep the module loaded.
class ClassFactory final : public IClassFactory {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    AddModuleReference();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ReleaseModuleReference();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return GifAnimator::Create(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      AddModuleReference();
    } else {
      ReleaseModuleReference();
    }
    return S_OK;
  }
};

ClassFactory g_factory;

}  // namespace

HRESULT GetClassFactory(REFIID iid, void** object) { return g_factory.QueryInterface(iid, object); }

}  // namespace images
