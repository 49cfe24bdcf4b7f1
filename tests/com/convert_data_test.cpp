// ConvertData against host actions that record every call: the order of the calls, every
// way the host or the blob can fail it, and no reference left behind on any path.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

using Calls = std::vector<std::string>;

Calls Then(Calls calls, const Calls& more) {
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

const Calls kUpToType = {"old.QueryInterface(IHostAction)", "old.GetData", "old.GetDataType"};
const Calls kUpToStandard = Then(kUpToType, {"old.GetDataStandard"});
const Calls kUpToCreate = Then(kUpToStandard, {"old.CreateAction"});
const Calls kFilled = Then(kUpToCreate, {"new.GetDataType", "new.PutDataStandard(200)", "new.PutData"});
const std::string kQueryAction = "old.QueryInterface(IHostAction)";
// After a failing host call the component asks for the host's error object.
const std::string kOldError = "old.QueryInterface(ISupportErrorInfo)";
const std::string kNewError = "new.QueryInterface(ISupportErrorInfo)";

enum class Old { Action, WithoutBlob, BlobFromOne, Null };
using enum Misbehaving::How;

struct FailureCase {
    const char* what;
    Misbehaving misbehaving;
    HRESULT expected;
    Calls calls;
    short to = 200;
    Old old = Old::Action;
};

// clang-format off
const FailureCase kFailures[] = {
    {"null old action", {}, E_POINTER, {}, 200, Old::Null},
    {"not a host action", {kQueryAction, Fails, E_NOINTERFACE}, E_POINTER, {kQueryAction}},
    {"query refused", {kQueryAction, Fails, E_ACCESSDENIED}, E_ACCESSDENIED, {kQueryAction}},
    {"empty blob", {}, CONV_E_INVALIDBLOB, kUpToStandard, 200, Old::WithoutBlob},
    {"blob with lower bound 1", {}, CONV_E_INVALIDBLOB, kUpToStandard, 200, Old::BlobFromOne},
    {"GetDataType fails", {"old.GetDataType", Fails}, kHostFailure, Then(kUpToType, {kOldError})},
    {"no data type", {"old.GetDataType", AnswersNull}, E_POINTER, kUpToType},
    {"GetDataStandard fails", {"old.GetDataStandard", Fails}, kHostFailure, Then(kUpToStandard, {kOldError})},
    {"CreateAction fails", {"old.CreateAction", Fails}, kHostFailure, Then(kUpToCreate, {kOldError})},
    {"CreateAction throws a COM error", {"old.CreateAction", ThrowsComError, E_ACCESSDENIED}, E_ACCESSDENIED,
     kUpToCreate},
    {"CreateAction throws another error", {"old.CreateAction", ThrowsOther}, CONV_E_INVALIDBLOB, kUpToCreate},
    {"no new action", {"old.CreateAction", AnswersNull}, E_POINTER, kUpToCreate},
    {"unsupported target", {}, CONV_E_UNSUPPORTEDFORMAT, kUpToCreate, 300},
    {"unsupported pair", {}, CONV_E_INVALIDBLOB, kUpToCreate, 100},
    {"new action's GetDataType fails", {"new.GetDataType", Fails}, kHostFailure,
     Then(kUpToCreate, {"new.GetDataType", kNewError})},
    {"PutDataStandard fails", {"new.PutDataStandard(200)", Fails}, kHostFailure,
     Then(kUpToCreate, {"new.GetDataType", "new.PutDataStandard(200)", kNewError})},
    {"new action without IDispatch", {"new.QueryInterface(IDispatch)", Fails, E_NOINTERFACE}, E_NOINTERFACE,
     Then(kFilled, {"new.QueryInterface(IDispatch)"})},
};
// clang-format on

using ConvertDataTest = ComponentTest;

TEST_F(ConvertDataTest, EveryFailureEndsTheCallAndReleasesEverything) {
    const Blob source = SampleBlob(kDataStandard100);
    for (const FailureCase& failure : kFailures) {
        SCOPED_TRACE(failure.what);
        HostWorld world{failure.misbehaving};
        ComPtr<IHostAction> old =
            MakeHostAction(world, "old", failure.old == Old::WithoutBlob ? nullptr : &source, 100,
                           failure.old == Old::BlobFromOne ? 1 : 0);
        IDispatch* const untouched = reinterpret_cast<IDispatch*>(&world);
        IDispatch* newAction = untouched;
        EXPECT_EQ(
            converter->ConvertData(failure.to, failure.old == Old::Null ? nullptr : old.Get(), &newAction),
            failure.expected);
        EXPECT_EQ(world.calls, failure.calls);
        EXPECT_EQ(newAction, untouched) << "written only on success";
        EXPECT_EQ(StandardOf(*old), 100);
        old.Reset();
        EXPECT_EQ(world.live, 0) << "every host object was released";
    }
}

// The calls of a success; the result's bytes and the old action are checked with the status
// contract. A caller may leave the new action unasked for.
TEST_F(ConvertDataTest, SuccessFillsTheNewActionAndHandsItBackWhenAsked) {
    const Blob source = SampleBlob(kDataStandard100);
    for (const bool wantsNewAction : {true, false}) {
        HostWorld world;
        ComPtr<IHostAction> old = MakeHostAction(world, "old", &source, 100);
        IDispatch* raw = nullptr;
        ASSERT_EQ(converter->ConvertData(200, old.Get(), wantsNewAction ? &raw : nullptr), S_OK);
        EXPECT_EQ(world.calls, wantsNewAction ? Then(kFilled, {"new.QueryInterface(IDispatch)"}) : kFilled);
        if (raw != nullptr) raw->Release();
        old.Reset();
        EXPECT_EQ(world.live, 0);
    }
}

}  // namespace
}  // namespace audiogram::com::testing
