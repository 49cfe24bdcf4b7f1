#include "host_action.h"

#include <atomic>

namespace wine_client {
namespace {

// IDispatch of a host object: the component never calls it by name.
template <typename Interface>
class HostObject : public Interface {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == OwnId()) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count != nullptr) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

  protected:
    virtual ~HostObject() = default;
    virtual const IID& OwnId() const = 0;

  private:
    std::atomic<ULONG> references_{1};
};

class HostDataType final : public HostObject<IHostDataType> {
  public:
    explicit HostDataType(short* standard, IUnknown* owner) : standard_(standard), owner_(owner) {}

    HRESULT STDMETHODCALLTYPE Unused1() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused2() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataStandard(short* standard) override {
        if (standard == nullptr) return E_POINTER;
        *standard = *standard_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PutDataStandard(short standard) override {
        *standard_ = standard;
        return S_OK;
    }

  private:
    const IID& OwnId() const override { return IID_IHostDataType; }
    short* standard_;         // the standard of the owning action
    ComPtr<IUnknown> owner_;  // keeps the action alive while the data type is held
};

class HostAction final : public HostObject<IHostAction> {
  public:
    HostAction(const std::optional<Bytes>& blob, short standard, HRESULT createFailure)
        : standard_(standard), createFailure_(createFailure) {
        if (blob) SetBlob(blob_.Get(), *blob);
    }
    // A new action as CreateAction hands it out: no blob, no standard yet.
    HostAction() = default;

    HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** dataType) override {
        if (dataType == nullptr) return E_POINTER;
        *dataType = new HostDataType(&standard_, this);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetData(VARIANT* blob) override {
        if (blob == nullptr) return E_POINTER;
        return VariantCopy(blob, &blob_.Get());
    }
    HRESULT STDMETHODCALLTYPE PutData(VARIANT blob) override { return VariantCopy(&blob_.Get(), &blob); }
    HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** action) override {
        if (action == nullptr) return E_POINTER;
        if (FAILED(createFailure_)) return createFailure_;
        *action = new HostAction();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Unused1() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused2() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused8() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused14() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused17() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused18() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused19() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unused20() override { return E_NOTIMPL; }

  private:
    const IID& OwnId() const override { return IID_IHostAction; }
    Variant blob_;
    short standard_ = 0;
    HRESULT createFailure_ = S_OK;
};

}  // namespace

ComPtr<IHostAction> MakeHostAction(const std::optional<Bytes>& blob, short standard, HRESULT createFailure) {
    ComPtr<IHostAction> action;
    action.Attach(new HostAction(blob, standard, createFailure));
    return action;
}

HostActionState ReadHostAction(IHostAction* action) {
    HostActionState state;
    ComPtr<IHostDataType> dataType;
    if (SUCCEEDED(action->GetDataType(&dataType)) && dataType) dataType->GetDataStandard(&state.standard);
    Variant blob;
    action->GetData(&blob);
    state.blob = BlobBytes(blob.Get());
    return state;
}

}  // namespace wine_client
