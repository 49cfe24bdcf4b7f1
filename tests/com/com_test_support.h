#pragma once
// What the component's tests share: the module loaded as a host loads it, owned VARIANTs
// and blobs, sample blobs of each data standard, and a host action double that records calls.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "com/com_ptr.h"
#include "com/converter_interfaces.h"
#include "service/blob_dispatcher.h"

namespace audiogram::com::testing {

// The module, loaded once per test process as the platform's hosts load it (dlopen, or
// LoadLibrary on Windows; one file per platform); only its two exports are used.
struct Module {
    static const Module& Get();
    LPFNGETCLASSOBJECT GetClassObject;
    LPFNCANUNLOADNOW CanUnloadNow;
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

inline VARIANT Typed(VARTYPE vt) {
    VARIANT v{};
    v.vt = vt;
    return v;
}

// VARIANTs as callers make them: the union member `member` holds `value`.
template <auto member, typename Value>
VARIANT Make(VARTYPE vt, Value value) {
    VARIANT v = Typed(vt);
    v.*member = value;
    return v;
}

class OwnedVariant {
  public:
    explicit OwnedVariant(const VARIANT& adopted = Typed(VT_EMPTY)) : value(adopted) {}
    ~OwnedVariant() { EXPECT_EQ(VariantClear(&value), S_OK); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT value;
};

inline VARIANT I2(short value) { return Make<&VARIANT::iVal>(VT_I2, value); }
inline VARIANT I4(LONG value) { return Make<&VARIANT::lVal>(VT_I4, value); }
inline VARIANT RefTo(VARIANT& target) { return Make<&VARIANT::pvarVal>(VT_BYREF | VT_VARIANT, &target); }
inline VARIANT ArrayOf(VARTYPE elements, SAFEARRAY* array) {
    return Make<&VARIANT::parray>(static_cast<VARTYPE>(VT_ARRAY | elements), array);
}
VARIANT ByteArrayVariant(const Blob& bytes, LONG lowerBound = 0);
Blob BytesOf(const VARIANT& blob);  // the bytes of a VT_ARRAY|VT_UI1 with lower bound 0

// The dispid of `name`, asked for as a late-bound caller asks (for `riid` IID_NULL).
DISPID IdOf(IDispatch& target, std::u16string_view name, HRESULT expected = S_OK, REFIID riid = IID_NULL);

// Invoke as a late-bound caller does: the arguments in declaration order (Invoke takes them
// last first). Returns the method's failure rather than DISP_E_EXCEPTION.
HRESULT InvokeMethod(IDispatch& target, DISPID dispid, std::vector<VARIANT> arguments,
                     WORD flags = DISPATCH_METHOD, UINT* badArgument = nullptr);

// A valid blob of the data standard: a record of random bytes, or the document exported from it.
Blob SampleBlob(DataStandard standard);

inline constexpr HRESULT kHostFailure = static_cast<HRESULT>(0x80041234u);  // a failure only the host gives

// The one host call a test singles out (named like "old.CreateAction"), and how it misbehaves.
struct Misbehaving {
    enum How { None, Fails, AnswersNull, ThrowsComError, ThrowsOther };
    std::string_view call{};
    How how = None;
    HRESULT answer = kHostFailure;  // what a failing call answers or a COM error carries
};

// Shared by a test and the host objects it made: the calls they received in order, and
// how many of them are still alive.
struct HostWorld {
    Misbehaving misbehaving{};
    std::vector<std::string> calls{};
    int live = 0;

    HRESULT Record(const std::string& call);  // S_OK, or the misbehaviour when `call` is singled out
};

// An action of the host, holding `data` (with that lower bound) of data standard `standard`,
// with one reference. It is its own data type, so a data type left unreleased keeps the
// action alive too.
ComPtr<IHostAction> MakeHostAction(HostWorld& world, const std::string& name, const Blob* data,
                                   short standard, LONG lowerBound = 0);
short StandardOf(IHostAction& action);
const VARIANT& DataOf(IHostAction& action);

}  // namespace audiogram::com::testing
