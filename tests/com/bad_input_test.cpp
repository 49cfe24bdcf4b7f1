// Blobs of the right shape but the wrong content, through both methods of the component:
// empty and short records, documents that are garbage, cut off or not documents at all.
// Each gets the dispatcher's status, and nothing is handed back: the out VARIANT stays
// empty, no new action reaches the host and every host object is released.

#include <algorithm>
#include <random>
#include <string_view>

#include "com_test_support.h"
#include "support/case_names.h"

namespace audiogram::com::testing {
namespace {

Blob Text(std::string_view text) {
    return {text.begin(), text.end()};
}

Blob Garbage() {
    std::mt19937 random(11);
    Blob bytes(4000);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

Blob HalfADocument() {
    Blob document = SampleBlob(kDataStandard500);
    document.resize(document.size() / 2);
    return document;
}

struct BadContent {
    std::string name;
    short to, from;
    Blob blob;
    HRESULT expected;
};

const std::vector<BadContent>& BadContents() {
    static const std::vector<BadContent> cases = {
        {"EmptyBlobAs100Record", 200, 100, {}, CONV_E_INVALIDBLOB},
        {"EmptyBlobAs200Record", 500, 200, {}, CONV_E_INVALIDBLOB},
        {"EmptyBlobAsDocument", 200, 500, {}, E_FAIL},
        {"Short100Record", 500, 100, Blob(19471, 1), CONV_E_INVALIDBLOB},
        {"Short200Record", 100, 200, Blob(36127, 1), CONV_E_INVALIDBLOB},
        {"GarbageDocument", 100, 500, Garbage(), E_FAIL},
        {"TextWithoutTags", 200, 500, Text("not a document at all"), E_FAIL},
        {"TruncatedDocument", 200, 500, HalfADocument(), E_FAIL},
        {"NulBeforeTheDocument", 100, 500, Text(std::string_view("\0<TORVAAudiometricStandard>", 27)),
         E_FAIL},
        {"RecordGivenAsDocument", 200, 500, SampleBlob(kDataStandard200), E_FAIL},
    };
    return cases;
}

class BadContentTest : public ComponentTest, public ::testing::WithParamInterface<BadContent> {};

TEST_P(BadContentTest, ConvertDataBlobAnswersWithTheStatusAndAnEmptyResult) {
    const BadContent& bad = GetParam();
    Blob source = bad.blob;
    Blob dispatched;
    EXPECT_EQ(ConvertDataBlob(bad.to, bad.from, source, dispatched), bad.expected);

    OwnedVariant blob(ByteArrayVariant(bad.blob));
    OwnedVariant out;
    EXPECT_EQ(converter->ConvertDataBlob(bad.to, bad.from, blob.value, &out.value), bad.expected);
    EXPECT_EQ(out.value.vt, VT_EMPTY);
}

TEST_P(BadContentTest, ConvertDataHandsNoNewActionBackAndReleasesEverything) {
    const BadContent& bad = GetParam();
    HostWorld world;
    ComPtr<IHostAction> old = MakeHostAction(world, "old", &bad.blob, bad.from);
    IDispatch* const untouched = reinterpret_cast<IDispatch*>(&world);
    IDispatch* newAction = untouched;
    EXPECT_EQ(converter->ConvertData(bad.to, old.Get(), &newAction), bad.expected);
    EXPECT_EQ(newAction, untouched);
    EXPECT_EQ(std::count(world.calls.begin(), world.calls.end(), "new.PutData"), 0) << "no result was stored";
    EXPECT_EQ(StandardOf(*old), bad.from);
    EXPECT_EQ(BytesOf(DataOf(*old)), bad.blob);
    old.Reset();
    EXPECT_EQ(world.live, 0) << "every host object was released";
}

INSTANTIATE_TEST_SUITE_P(Cases, BadContentTest, ::testing::ValuesIn(BadContents()),
                         audiogram::testing::CaseName());

}  // namespace
}  // namespace audiogram::com::testing
