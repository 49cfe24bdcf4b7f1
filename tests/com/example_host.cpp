// A host in miniature. It knows the module only by its two exports and the interface
// header: it loads the module, creates a ConvertAction, converts a data standard 100 blob
// to 200 through the vtable and back to 100 by name, converts one of its own actions, and
// releases everything so the module may be unloaded.
//
// Usage: example_host path/to/VeskAudiogramConverter.so [record.ds100]

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "com/converter_interfaces.h"

namespace {

using Bytes = std::vector<unsigned char>;

VARIANT ToBlob(const Bytes& bytes) {
    VARIANT blob;
    blob.vt = VT_ARRAY | VT_UI1;
    blob.parray = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(blob.parray, &data);
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(blob.parray);
    return blob;
}

ULONG LengthOf(const VARIANT& blob) {
    return blob.vt == (VT_ARRAY | VT_UI1) ? blob.parray->rgsabound[0].cElements : 0;
}

// The host's action: a blob and its data standard.
class Action final : public IHostAction, public IHostDataType {
  public:
    Action(const VARIANT& data, short standard) : standard_(standard) {
        VariantInit(&data_);
        VariantCopy(&data_, &data);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHostAction) {
            *object = static_cast<IHostAction*>(this);
        } else if (iid == IID_IHostDataType) {
            *object = static_cast<IHostDataType*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--references_ != 0) return references_;
        VariantClear(&data_);
        delete this;
        return 0;
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
    HRESULT STDMETHODCALLTYPE Reserved1() override { return E_NOTIMPL; }  // both interfaces have these two
    HRESULT STDMETHODCALLTYPE Reserved2() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** dataType) override {
        *dataType = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetData(VARIANT* data) override { return VariantCopy(data, &data_); }
    HRESULT STDMETHODCALLTYPE PutData(VARIANT data) override { return VariantCopy(&data_, &data); }
    HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** action) override {
        VARIANT empty;
        VariantInit(&empty);
        *action = new Action(empty, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataStandard(short* standard) override {
        *standard = standard_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PutDataStandard(short standard) override {
        standard_ = standard;
        return S_OK;
    }

    const VARIANT& Data() const { return data_; }
    short Standard() const { return standard_; }

  private:
    VARIANT data_;
    short standard_;
    ULONG references_ = 1;
};

int Fail(const char* step, HRESULT hr) {
    std::fprintf(stderr, "example_host: %s failed with 0x%08X\n", step, static_cast<unsigned>(hr));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("usage: example_host module [record.ds100]", E_INVALIDARG);
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return Fail(dlerror(), E_FAIL);
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(module, "DllGetClassObject"));
    auto canUnloadNow = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(module, "DllCanUnloadNow"));
    if (getClassObject == nullptr || canUnloadNow == nullptr) return Fail("looking up the exports", E_FAIL);

    Bytes record(19472);  // an all-zero record unless one is given
    if (argc > 2) {
        std::ifstream file(argv[2], std::ios::binary);
        record.assign(std::istreambuf_iterator<char>(file), {});
    }

    void* object = nullptr;
    HRESULT hr = getClassObject(CLSID_ConvertAction, IID_IClassFactory, &object);
    if (FAILED(hr)) return Fail("DllGetClassObject", hr);
    auto* factory = static_cast<IClassFactory*>(object);
    hr = factory->CreateInstance(nullptr, IID_IConvertAction, &object);
    factory->Release();
    if (FAILED(hr)) return Fail("CreateInstance", hr);
    auto* converter = static_cast<IConvertAction*>(object);

    // 100 to 200 through the vtable.
    VARIANT blob100 = ToBlob(record);
    VARIANT blob200;
    hr = converter->ConvertDataBlob(200, 100, blob100, &blob200);
    if (FAILED(hr)) return Fail("ConvertDataBlob 100 to 200", hr);
    std::printf("100 to 200 by vtable: %u bytes\n", LengthOf(blob200));

    // 200 to 100 by name, as a script would call it.
    OLECHAR name[] = OLESTR("ConvertDataBlob");
    LPOLESTR names[] = {name};
    DISPID dispid = 0;
    hr = converter->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr)) return Fail("GetIDsOfNames", hr);
    VARIANT back;
    VariantInit(&back);
    VARIANT args[4];  // last argument first
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &back;
    args[1] = blob200;
    args[2].vt = VT_I4;
    args[2].lVal = 200;
    args[3].vt = VT_I4;
    args[3].lVal = 100;
    DISPPARAMS params{args, nullptr, 4, 0};
    EXCEPINFO exception{};
    hr = converter->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                           &exception, nullptr);
    if (FAILED(hr))
        return Fail("Invoke ConvertDataBlob 200 to 100", hr == DISP_E_EXCEPTION ? exception.scode : hr);
    std::printf("200 to 100 by name: %u bytes\n", LengthOf(back));

    // One of the host's own actions, 100 to 200.
    auto* old = new Action(blob100, 100);
    IDispatch* converted = nullptr;
    hr = converter->ConvertData(200, static_cast<IHostAction*>(old), &converted);
    old->Release();
    if (FAILED(hr)) return Fail("ConvertData", hr);
    void* convertedAction = nullptr;
    converted->QueryInterface(IID_IHostAction, &convertedAction);
    auto* result = static_cast<Action*>(static_cast<IHostAction*>(convertedAction));
    std::printf("action 100 to 200: data standard %d, %u bytes\n", result->Standard(),
                LengthOf(result->Data()));
    result->Release();
    converted->Release();

    VariantClear(&blob100);
    VariantClear(&blob200);
    VariantClear(&back);
    converter->Release();
    hr = canUnloadNow();
    std::printf("DllCanUnloadNow: 0x%08X\n", static_cast<unsigned>(hr));
    dlclose(module);
    return hr == S_OK ? 0 : 1;
}
