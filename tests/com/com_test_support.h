#pragma once
// What the component's tests share: the module loaded as a host loads it, owned VARIANTs
// and blobs, sample blobs of each data standard, and host action doubles that record calls.

#include <gtest/gtest.h>

#include <exception>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "com/com_ptr.h"
#include "com/converter_interfaces.h"
#include "service/blob_dispatcher.h"

namespace audiogram::com::testing {

// The module, opened with dlopen once per test process; only its two exports are used.
class Module {
  public:
    static Module& Get();
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
        return getClassObject_(clsid, iid, object);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }

  private:
    Module();
    LPFNGETCLASSOBJECT getClassObject_ = nullptr;
    LPFNCANUNLOADNOW canUnloadNow_ = nullptr;
};

ComPtr<IConvertAction> CreateConverter();

// Every test releases what it took: afterwards the module can be unloaded.
class ComponentTest : public ::testing::Test {
  protected:
    void TearDown() override {
        converter.Reset();
        EXPECT_EQ(Module::Get().CanUnloadNow(), S_OK) << "a reference to the component was left";
    }
    ComPtr<IConvertAction> converter = CreateConverter();
};

class OwnedVariant {
  public:
    OwnedVariant() { VariantInit(&value); }
    explicit OwnedVariant(const VARIANT& adopted) : value(adopted) {}
    ~OwnedVariant() { EXPECT_EQ(VariantClear(&value), S_OK); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT value;
};

inline VARIANT Typed(VARTYPE vt) {
    VARIANT v{};
    v.vt = vt;
    return v;
}
inline VARIANT I2(short value) {
    VARIANT v = Typed(VT_I2);
    v.iVal = value;
    return v;
}
inline VARIANT I4(LONG value) {
    VARIANT v = Typed(VT_I4);
    v.lVal = value;
    return v;
}
inline VARIANT RefTo(VARIANT& target) {
    VARIANT v = Typed(VT_BYREF | VT_VARIANT);
    v.pvarVal = &target;
    return v;
}
inline VARIANT DispatchOf(IDispatch* object) {
    VARIANT v = Typed(VT_DISPATCH);
    v.pdispVal = object;
    return v;
}
inline VARIANT ArrayOf(VARTYPE elements, SAFEARRAY* array) {
    VARIANT v = Typed(static_cast<VARTYPE>(VT_ARRAY | elements));
    v.parray = array;
    return v;
}
VARIANT ByteArrayVariant(const Blob& bytes, LONG lowerBound = 0);

// Invoke as a late-bound caller does: the arguments in declaration order (Invoke takes them
// last first). Returns the method's failure rather than DISP_E_EXCEPTION.
HRESULT InvokeMethod(IDispatch& target, DISPID dispid, std::vector<VARIANT> arguments,
                     WORD flags = DISPATCH_METHOD, UINT* badArgument = nullptr);
Blob BytesOf(const VARIANT& blob);  // the bytes of a VT_ARRAY|VT_UI1 with lower bound 0

// A valid blob of the data standard (a 500 document needs the export; until it exists any
// text stands for one), with `extension` bytes after a binary record.
Blob SampleBlob(DataStandard standard, std::size_t extension = 0);

// Shared by a test and the host objects it made: the calls they received in order, and
// how particular calls (named like "old.CreateAction") answer.
struct HostWorld {
    std::vector<std::string> calls;
    std::map<std::string, HRESULT> failing;
    std::set<std::string> answersNull;  // succeeds with a null object
    std::map<std::string, std::exception_ptr> throwing;
    int live = 0;

    HRESULT Record(const std::string& call);
};

class FakeHostAction;
// An action of the host holding `data` of data standard `standard`, with one reference.
ComPtr<IHostAction> MakeHostAction(HostWorld& world, const std::string& name, const Blob* data,
                                   short standard);
short StandardOf(IHostAction& action);
const VARIANT& DataOf(IHostAction& action);

}  // namespace audiogram::com::testing
