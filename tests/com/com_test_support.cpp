#include "com_test_support.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string_view>

#include "com/com_result.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::com::testing {

Module& Module::Get() {
    static Module module;
    return module;
}

Module::Module() {
    void* handle = dlopen(VESK_COMPONENT_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error(dlerror());
    getClassObject_ = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
    canUnloadNow_ = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
    if (getClassObject_ == nullptr || canUnloadNow_ == nullptr) throw std::runtime_error("exports missing");
}

ComPtr<IConvertAction> CreateConverter() {
    void* factory = nullptr;
    void* converter = nullptr;
    EXPECT_EQ(Module::Get().GetClassObject(CLSID_ConvertAction, IID_IClassFactory, &factory), S_OK);
    auto owner = ComPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(factory));
    EXPECT_EQ(owner->CreateInstance(nullptr, IID_IConvertAction, &converter), S_OK);
    return ComPtr<IConvertAction>::Adopt(static_cast<IConvertAction*>(converter));
}

VARIANT ByteArrayVariant(const Blob& bytes, LONG lowerBound) {
    VARIANT blob =
        ArrayOf(VT_UI1, SafeArrayCreateVector(VT_UI1, lowerBound, static_cast<ULONG>(bytes.size())));
    if (!bytes.empty()) std::memcpy(blob.parray->pvData, bytes.data(), bytes.size());
    return blob;
}

HRESULT InvokeMethod(IDispatch& target, DISPID dispid, std::vector<VARIANT> arguments, WORD flags,
                     UINT* badArgument) {
    std::reverse(arguments.begin(), arguments.end());
    DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception{};
    const HRESULT hr = target.Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr,
                                     &exception, badArgument);
    return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

Blob BytesOf(const VARIANT& blob) {
    EXPECT_EQ(blob.vt, VT_ARRAY | VT_UI1);
    if (blob.vt != (VT_ARRAY | VT_UI1)) return {};
    EXPECT_EQ(blob.parray->cDims, 1);
    EXPECT_EQ(blob.parray->rgsabound[0].lLbound, 0);
    const auto* data = static_cast<const std::uint8_t*>(blob.parray->pvData);
    return Blob(data, data + blob.parray->rgsabound[0].cElements);
}

Blob SampleBlob(DataStandard standard, std::size_t extension) {
    std::mt19937 random{static_cast<std::mt19937::result_type>(standard + 1)};
    Blob record100(record100::kSize + (standard == kDataStandard100 ? extension : 0));
    for (auto& byte : record100) byte = static_cast<std::uint8_t>(random());
    if (standard == kDataStandard100) return record100;

    Blob record200;
    ConvertBlob100to200(record100, record200);
    if (standard == kDataStandard200) {
        record200.resize(record200.size() + extension, 0xA5);
        return record200;
    }
    Blob document;
    if (Failed(ConvertBlob200to500(record200, document, nullptr))) {
        constexpr std::string_view kStandIn = "<?xml version=\"1.0\"?><TORVAAudiometricStandard/>";
        document.assign(kStandIn.begin(), kStandIn.end());
    }
    return document;
}

HRESULT HostWorld::Record(const std::string& call) {
    calls.push_back(call);
    if (const auto thrown = throwing.find(call); thrown != throwing.end())
        std::rethrow_exception(thrown->second);
    const auto failure = failing.find(call);
    return failure == failing.end() ? S_OK : failure->second;
}

namespace {

std::string IidName(REFIID iid) {
    if (iid == IID_IHostAction) return "IHostAction";
    if (iid == IID_IDispatch) return "IDispatch";
    if (iid == IID_IUnknown) return "IUnknown";
    if (iid == IID_ISupportErrorInfo) return "ISupportErrorInfo";
    return "other";
}

// Reference counting and the IDispatch members no test calls, for both host interfaces.
template <typename Interface>
class HostObject : public Interface {
  public:
    HostObject(HostWorld& world, std::string name) : world_(world), name_(std::move(name)) { ++world_.live; }
    virtual ~HostObject() { --world_.live; }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Reserved1() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved2() override { return E_NOTIMPL; }

  protected:
    // Records the call; a query answers for `Interface`, IDispatch and IUnknown.
    HRESULT Query(REFIID iid, REFIID own, void** object) {
        const HRESULT hr = world_.Record(name_ + ".QueryInterface(" + IidName(iid) + ")");
        *object = nullptr;
        if (FAILED(hr)) return hr;
        if (iid != own && iid != IID_IDispatch && iid != IID_IUnknown) return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    HostWorld& world_;
    const std::string name_;

  private:
    ULONG references_ = 1;
};

class FakeDataType final : public HostObject<IHostDataType> {
  public:
    FakeDataType(HostWorld& world, const std::string& name, IHostAction& action, short& standard)
        : HostObject(world, name), action_(&action), standard_(standard) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return Query(iid, IID_IHostDataType, object);
    }
    HRESULT STDMETHODCALLTYPE GetDataStandard(short* standard) override {
        RETURN_IF_FAILED(world_.Record(name_ + ".GetDataStandard"));
        *standard = standard_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PutDataStandard(short standard) override {
        RETURN_IF_FAILED(world_.Record(name_ + ".PutDataStandard(" + std::to_string(standard) + ")"));
        standard_ = standard;
        return S_OK;
    }

  private:
    ComPtr<IHostAction> action_;  // keeps the standard's owner alive
    short& standard_;
};

}  // namespace

class FakeHostAction final : public HostObject<IHostAction> {
  public:
    FakeHostAction(HostWorld& world, const std::string& name, const Blob* data, short standard)
        : HostObject(world, name), standard_(standard) {
        if (data != nullptr) data_.value = ByteArrayVariant(*data);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return Query(iid, IID_IHostAction, object);
    }
#define VESK_UNUSED_SLOT(n)                            \
    HRESULT STDMETHODCALLTYPE Reserved##n() override { \
        return E_NOTIMPL;                              \
    }
    VESK_UNUSED_SLOT(3)
    VESK_UNUSED_SLOT(4) VESK_UNUSED_SLOT(5) VESK_UNUSED_SLOT(6) VESK_UNUSED_SLOT(8) VESK_UNUSED_SLOT(9)
        VESK_UNUSED_SLOT(10) VESK_UNUSED_SLOT(11) VESK_UNUSED_SLOT(12) VESK_UNUSED_SLOT(13)
            VESK_UNUSED_SLOT(14) VESK_UNUSED_SLOT(17) VESK_UNUSED_SLOT(18) VESK_UNUSED_SLOT(19)
                VESK_UNUSED_SLOT(20)
#undef VESK_UNUSED_SLOT

                    HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** dataType) override {
        *dataType = nullptr;
        RETURN_IF_FAILED(world_.Record(name_ + ".GetDataType"));
        if (!world_.answersNull.contains(name_ + ".GetDataType")) {
            *dataType = new FakeDataType(world_, name_, *this, standard_);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetData(VARIANT* data) override {
        RETURN_IF_FAILED(world_.Record(name_ + ".GetData"));
        return VariantCopy(data, &data_.value);
    }
    HRESULT STDMETHODCALLTYPE PutData(VARIANT data) override {
        RETURN_IF_FAILED(world_.Record(name_ + ".PutData"));
        return VariantCopy(&data_.value, &data);
    }
    HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** action) override {
        *action = nullptr;
        RETURN_IF_FAILED(world_.Record(name_ + ".CreateAction"));
        if (!world_.answersNull.contains(name_ + ".CreateAction")) {
            *action = new FakeHostAction(world_, "new", nullptr, 0);
        }
        return S_OK;
    }

    short standard_;
    OwnedVariant data_;
};

ComPtr<IHostAction> MakeHostAction(HostWorld& world, const std::string& name, const Blob* data,
                                   short standard) {
    return ComPtr<IHostAction>::Adopt(new FakeHostAction(world, name, data, standard));
}

short StandardOf(IHostAction& action) {
    return static_cast<FakeHostAction&>(action).standard_;
}

const VARIANT& DataOf(IHostAction& action) {
    return static_cast<FakeHostAction&>(action).data_.value;
}

}  // namespace audiogram::com::testing
