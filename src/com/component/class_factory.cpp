#include "com/component/class_factory.h"

#include <atomic>

#include "com/component/convert_action.h"
#include "com/component/module_lock.h"

namespace audiogram::com {
namespace {

// Lives as long as the process has the module loaded; every outside reference to it is a
// lock on the module, so the module is not unloaded under a host that still holds it.
class ConvertActionFactory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr) return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            *ppvObject = nullptr;
            return E_NOINTERFACE;
        }
        *ppvObject = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        LockModule();
        return ++references_;
    }

    ULONG STDMETHODCALLTYPE Release() override {
        UnlockModule();
        return --references_;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr) return E_POINTER;
        *ppvObject = nullptr;
        if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
        return CConvertAction::Create(riid, ppvObject);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override {
        if (fLock) {
            LockModule();
        } else {
            UnlockModule();
        }
        return S_OK;
    }

  private:
    std::atomic<ULONG> references_{0};
};

}  // namespace

IClassFactory& ConvertActionClassFactory() {
    static ConvertActionFactory factory;
    return factory;
}

}  // namespace audiogram::com
