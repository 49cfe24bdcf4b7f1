// ConvertData against host actions that record every call: the order of the calls, every
// way the host or the blob can fail it, and no reference left behind on any path.

#include <stdexcept>

#include "com/com_result.h"
#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

using Calls = std::vector<std::string>;

const Calls kUpToStandard = {"old.QueryInterface(IHostAction)", "old.GetData", "old.GetDataType",
                             "old.GetDataStandard"};

Calls Then(Calls calls, const Calls& more) {
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

const Calls kUpToCreate = Then(kUpToStandard, {"old.CreateAction"});
const Calls kSuccess = Then(kUpToCreate, {"new.GetDataType", "new.PutDataStandard(200)", "new.PutData",
                                          "new.QueryInterface(IDispatch)"});

constexpr HRESULT kHostFailure = MakeHresult(0x80041234);

struct FailureCase {
    const char* what;
    void (*arrange)(HostWorld& world);
    HRESULT expected;
    Calls calls;
    short to = 200;
    bool blobIsByteArray = true;
};

const FailureCase kFailures[] = {
    {"not a host action",
     [](HostWorld& w) { w.failing["old.QueryInterface(IHostAction)"] = E_NOINTERFACE; },
     E_POINTER,
     {"old.QueryInterface(IHostAction)"}},
    {"query refused",
     [](HostWorld& w) { w.failing["old.QueryInterface(IHostAction)"] = E_ACCESSDENIED; },
     E_ACCESSDENIED,
     {"old.QueryInterface(IHostAction)"}},
    {"empty blob", [](HostWorld&) {}, CONV_E_INVALIDBLOB, kUpToStandard, 200, false},
    {"GetDataType fails",
     [](HostWorld& w) { w.failing["old.GetDataType"] = kHostFailure; },
     kHostFailure,
     {"old.QueryInterface(IHostAction)", "old.GetData", "old.GetDataType",
      "old.QueryInterface(ISupportErrorInfo)"}},
    {"no data type",
     [](HostWorld& w) { w.answersNull.insert("old.GetDataType"); },
     E_POINTER,
     {"old.QueryInterface(IHostAction)", "old.GetData", "old.GetDataType"}},
    {"GetDataStandard fails", [](HostWorld& w) { w.failing["old.GetDataStandard"] = kHostFailure; },
     kHostFailure, Then(kUpToStandard, {"old.QueryInterface(ISupportErrorInfo)"})},
    {"CreateAction fails", [](HostWorld& w) { w.failing["old.CreateAction"] = kHostFailure; }, kHostFailure,
     Then(kUpToCreate, {"old.QueryInterface(ISupportErrorInfo)"})},
    {"CreateAction throws a COM error",
     [](HostWorld& w) { w.throwing["old.CreateAction"] = std::make_exception_ptr(ComError(E_ACCESSDENIED)); },
     E_ACCESSDENIED, kUpToCreate},
    {"CreateAction throws something else",
     [](HostWorld& w) { w.throwing["old.CreateAction"] = std::make_exception_ptr(std::logic_error("host")); },
     CONV_E_INVALIDBLOB, kUpToCreate},
    {"no new action", [](HostWorld& w) { w.answersNull.insert("old.CreateAction"); }, E_POINTER, kUpToCreate},
    {"unsupported target", [](HostWorld&) {}, CONV_E_UNSUPPORTEDFORMAT, kUpToCreate, 300},
    {"unsupported pair", [](HostWorld&) {}, CONV_E_INVALIDBLOB, kUpToCreate, 100},
    {"new action's GetDataType fails", [](HostWorld& w) { w.failing["new.GetDataType"] = kHostFailure; },
     kHostFailure, Then(kUpToCreate, {"new.GetDataType", "new.QueryInterface(ISupportErrorInfo)"})},
    {"PutDataStandard fails", [](HostWorld& w) { w.failing["new.PutDataStandard(200)"] = kHostFailure; },
     kHostFailure,
     Then(kUpToCreate,
          {"new.GetDataType", "new.PutDataStandard(200)", "new.QueryInterface(ISupportErrorInfo)"})},
    {"new action without IDispatch",
     [](HostWorld& w) { w.failing["new.QueryInterface(IDispatch)"] = E_NOINTERFACE; }, E_NOINTERFACE,
     kSuccess},
};

using ConvertDataTest = ComponentTest;

TEST_F(ConvertDataTest, EveryFailureEndsTheCallAndReleasesEverything) {
    for (const FailureCase& failure : kFailures) {
        SCOPED_TRACE(failure.what);
        HostWorld world;
        failure.arrange(world);
        const Blob source = SampleBlob(kDataStandard100);
        ComPtr<IHostAction> old =
            MakeHostAction(world, "old", failure.blobIsByteArray ? &source : nullptr, 100);
        IDispatch* const untouched = reinterpret_cast<IDispatch*>(&world);
        IDispatch* newAction = untouched;
        EXPECT_EQ(converter->ConvertData(failure.to, old.Get(), &newAction), failure.expected);
        EXPECT_EQ(world.calls, failure.calls);
        EXPECT_EQ(newAction, untouched) << "written only on success";
        EXPECT_EQ(StandardOf(*old), 100);
        old.Reset();
        EXPECT_EQ(world.live, 0) << "every host object was released";
    }
}

TEST_F(ConvertDataTest, NullOldActionCallsNothing) {
    IDispatch* newAction = nullptr;
    EXPECT_EQ(converter->ConvertData(200, nullptr, &newAction), E_POINTER);
    EXPECT_EQ(newAction, nullptr);
}

TEST_F(ConvertDataTest, BlobWithLowerBoundOneIsRefused) {
    HostWorld world;
    ComPtr<IHostAction> old = MakeHostAction(world, "old", nullptr, 100);
    OwnedVariant shifted(ByteArrayVariant(SampleBlob(kDataStandard100), 1));
    old->PutData(shifted.value);
    world.calls.clear();
    IDispatch* newAction = nullptr;
    EXPECT_EQ(converter->ConvertData(200, old.Get(), &newAction), CONV_E_INVALIDBLOB);
    EXPECT_EQ(world.calls, kUpToStandard);
}

TEST_F(ConvertDataTest, NewActionHoldsTheResultAndOldOneIsUnchanged) {
    HostWorld world;
    const Blob source = SampleBlob(kDataStandard100, 5);
    Blob expected;
    Blob sourceCopy = source;
    ASSERT_EQ(ConvertDataBlob(200, 100, sourceCopy, expected), S_OK);
    ComPtr<IHostAction> old = MakeHostAction(world, "old", &source, 100);

    IDispatch* raw = nullptr;
    ASSERT_EQ(converter->ConvertData(200, old.Get(), &raw), S_OK);
    auto newDispatch = ComPtr<IDispatch>::Adopt(raw);
    EXPECT_EQ(world.calls, kSuccess);
    ComPtr<IHostAction> created;
    ASSERT_EQ(QueryInterfaceInto(newDispatch.Get(), IID_IHostAction, created), S_OK);
    EXPECT_EQ(StandardOf(*created), 200);
    EXPECT_EQ(BytesOf(DataOf(*created)), expected);
    EXPECT_EQ(StandardOf(*old), 100);
    EXPECT_EQ(BytesOf(DataOf(*old)), source);

    newDispatch.Reset();
    created.Reset();
    old.Reset();
    EXPECT_EQ(world.live, 0);
}

TEST_F(ConvertDataTest, WithoutOutPointerTheNewActionIsFilledAndReleased) {
    HostWorld world;
    const Blob source = SampleBlob(kDataStandard200);
    ComPtr<IHostAction> old = MakeHostAction(world, "old", &source, 200);
    EXPECT_EQ(converter->ConvertData(100, old.Get(), nullptr), S_OK);
    EXPECT_EQ(world.calls, Then(kUpToCreate, {"new.GetDataType", "new.PutDataStandard(100)", "new.PutData"}));
    old.Reset();
    EXPECT_EQ(world.live, 0);
}

}  // namespace
}  // namespace audiogram::com::testing
