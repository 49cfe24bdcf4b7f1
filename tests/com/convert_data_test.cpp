// ConvertData against host actions that record every call: the order of the calls of a
// success and of every way the host or the blob can fail it, and no reference left behind on
// any path; a success hands the dispatcher's bytes to the new action.

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

struct Case {
    const char* what;
    Misbehaving misbehaving;
    HRESULT expected;
    Calls calls;
    short to = 200;
    Old old = Old::Action;
    bool asksForTheNewAction = true;  // a caller may leave it unasked for
};

// clang-format off
const Case kCases[] = {
    {"success", {}, S_OK, Then(kFilled, {"new.QueryInterface(IDispatch)"})},
    {"success, the new action unasked for", {}, S_OK, kFilled, 200, Old::Action, false},
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

TEST_F(ConvertDataTest, EveryCallEndsAsTheHostAnswersAndReleasesEverything) {
    const Blob source = SampleBlob(kDataStandard100);
    Blob sourceCopy = source, converted;
    ASSERT_EQ(ConvertDataBlob(200, 100, sourceCopy, converted), kStatusOk);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        HostWorld world{c.misbehaving};
        ComPtr<IHostAction> old = MakeHostAction(world, "old", c.old == Old::WithoutBlob ? nullptr : &source,
                                                 100, c.old == Old::BlobFromOne ? 1 : 0);
        IDispatch* const untouched = reinterpret_cast<IDispatch*>(&world);
        IDispatch* newAction = untouched;
        EXPECT_EQ(converter->ConvertData(c.to, c.old == Old::Null ? nullptr : old.Get(),
                                         c.asksForTheNewAction ? &newAction : nullptr),
                  c.expected);
        EXPECT_EQ(world.calls, c.calls);
        EXPECT_EQ(newAction != untouched, c.asksForTheNewAction && SUCCEEDED(c.expected))
            << "written on success";
        if (newAction != untouched && SUCCEEDED(c.expected)) {
            EXPECT_EQ(BytesOf(DataOf(*static_cast<IHostAction*>(newAction))), converted) << "the dispatcher's bytes";
            newAction->Release();
        }
        EXPECT_EQ(StandardOf(*old), 100);
        old.Reset();
        EXPECT_EQ(world.live, 0) << "every host object was released";
    }
}

}  // namespace
}  // namespace audiogram::com::testing
