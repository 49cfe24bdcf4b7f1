#include "com_test_support.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "com/com_result.h"
#include "records/record100_layout.h"
#include "support/random_bytes.h"

namespace audiogram::com::testing {

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

Blob BytesOf(const VARIANT& blob) {
    EXPECT_EQ(blob.vt, VT_ARRAY | VT_UI1);
    if (blob.vt != (VT_ARRAY | VT_UI1)) return {};
    EXPECT_EQ(blob.parray->cDims, 1);
    EXPECT_EQ(blob.parray->rgsabound[0].lLbound, 0);
    const auto* data = static_cast<const std::uint8_t*>(blob.parray->pvData);
    return Blob(data, data + blob.parray->rgsabound[0].cElements);
}

DISPID IdOf(IDispatch& target, std::u16string_view name, HRESULT expected, REFIID riid) {
    std::basic_string<OLECHAR> text(name.begin(), name.end());  // OLECHAR is wchar_t on Windows
    LPOLESTR names[] = {text.data()};
    DISPID dispid = 0;
    EXPECT_EQ(target.GetIDsOfNames(riid, names, 1, LOCALE_USER_DEFAULT, &dispid), expected);
    return dispid;
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

Blob SampleBlob(DataStandard standard) {
    Blob blob = audiogram::testing::RandomBytes(record100::kSize, 1), converted;
    if (standard == kDataStandard100) return blob;
    EXPECT_EQ(ConvertDataBlob(standard, kDataStandard100, blob, converted), kStatusOk);
    return converted;
}

HRESULT HostWorld::Record(const std::string& call) {
    calls.push_back(call);
    if (call != misbehaving.call) return S_OK;
    if (misbehaving.how == Misbehaving::ThrowsComError) throw ComError(misbehaving.answer);
    if (misbehaving.how == Misbehaving::ThrowsOther) throw std::logic_error("the host's own exception");
    return misbehaving.how == Misbehaving::Fails ? misbehaving.answer : S_OK;
}

namespace {

// The host action and its data type in one object; every call is recorded as
// "<name>.<method>". The component calls nothing else of either interface.
class FakeHostAction final : public IHostAction, public IHostDataType {
  public:
    FakeHostAction(HostWorld& world, std::string name, const Blob* data, short standard, LONG lowerBound)
        : standard_(standard), world_(world), name_(std::move(name)) {
        ++world_.live;
        if (data != nullptr) data_.value = ByteArrayVariant(*data, lowerBound);
    }
    ~FakeHostAction() { --world_.live; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        const char* const name = iid == IID_IHostAction        ? "IHostAction"
                                 : iid == IID_IDispatch        ? "IDispatch"
                                 : iid == IID_ISupportErrorInfo ? "ISupportErrorInfo"
                                                                : "other";
        RETURN_IF_FAILED(Record(".QueryInterface(" + std::string(name) + ")"));
        if (iid == IID_IHostDataType) *object = static_cast<IHostDataType*>(this);
        if (iid == IID_IHostAction || iid == IID_IDispatch || iid == IID_IUnknown)
            *object = static_cast<IHostAction*>(this);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

    HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** dataType) override {
        *dataType = nullptr;
        RETURN_IF_FAILED(Record(".GetDataType"));
        if (!AnswersNull(".GetDataType")) (*dataType = this)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataStandard(short* standard) override {
        RETURN_IF_FAILED(Record(".GetDataStandard"));
        *standard = standard_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PutDataStandard(short standard) override {
        RETURN_IF_FAILED(Record(".PutDataStandard(" + std::to_string(standard) + ")"));
        standard_ = standard;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetData(VARIANT* data) override {
        RETURN_IF_FAILED(Record(".GetData"));
        return VariantCopy(data, &data_.value);
    }
    HRESULT STDMETHODCALLTYPE PutData(VARIANT data) override {
        RETURN_IF_FAILED(Record(".PutData"));
        return VariantCopy(&data_.value, &data);
    }
    HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** action) override {
        *action = nullptr;
        RETURN_IF_FAILED(Record(".CreateAction"));
        if (!AnswersNull(".CreateAction")) *action = new FakeHostAction(world_, "new", nullptr, 0, 0);
        return S_OK;
    }

    short standard_;
    OwnedVariant data_;

  private:
    HostWorld& world_;
    const std::string name_;
    ULONG references_ = 1;

    HRESULT Record(const std::string& method) { return world_.Record(name_ + method); }
    bool AnswersNull(const std::string& method) const {
        return world_.misbehaving.how == Misbehaving::AnswersNull && name_ + method == world_.misbehaving.call;
    }

    // The IDispatch members and the host's other slots; the component calls none of them.
    // clang-format off
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
        { return E_NOTIMPL; }
#define VESK_UNUSED_SLOT(n) HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }
    VESK_UNUSED_SLOT(1) VESK_UNUSED_SLOT(2) VESK_UNUSED_SLOT(3) VESK_UNUSED_SLOT(4) VESK_UNUSED_SLOT(5)
    VESK_UNUSED_SLOT(6) VESK_UNUSED_SLOT(8) VESK_UNUSED_SLOT(9) VESK_UNUSED_SLOT(10) VESK_UNUSED_SLOT(11)
    VESK_UNUSED_SLOT(12) VESK_UNUSED_SLOT(13) VESK_UNUSED_SLOT(14) VESK_UNUSED_SLOT(17) VESK_UNUSED_SLOT(18)
    VESK_UNUSED_SLOT(19) VESK_UNUSED_SLOT(20)
#undef VESK_UNUSED_SLOT
    // clang-format on
};

}  // namespace

ComPtr<IHostAction> MakeHostAction(HostWorld& world, const std::string& name, const Blob* data,
                                   short standard, LONG lowerBound) {
    return ComPtr<IHostAction>::Adopt(new FakeHostAction(world, name, data, standard, lowerBound));
}

short StandardOf(IHostAction& action) {
    return static_cast<FakeHostAction&>(action).standard_;
}

const VARIANT& DataOf(IHostAction& action) {
    return static_cast<FakeHostAction&>(action).data_.value;
}

}  // namespace audiogram::com::testing
