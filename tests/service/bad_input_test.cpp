// A document cut off anywhere never converts into a part of its record: the conversion
// fails, or (when the cut falls inside the root's end tag, after every section was read)
// gives exactly the record of the whole document.

#include <gtest/gtest.h>

#include "record_builder/record_sets.h"
#include "service/blob_dispatcher.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new testing::IsolatedProcessConfiguration);

TEST(TruncatedDocuments, FailOrGiveTheWholeRecord) {
    for (Blob record : {record_sets::Typical200(), record_sets::EverySection200()}) {
        Blob document;
        ASSERT_EQ(ConvertDataBlob(500, 200, record, document), kStatusOk);
        Blob whole;
        ASSERT_EQ(ConvertDataBlob(200, 500, document, whole), kStatusOk);

        std::size_t succeeded = 0;
        for (std::size_t length = 0; length < document.size(); length += 7) {
            Blob cut(document.begin(), document.begin() + static_cast<std::ptrdiff_t>(length));
            Blob result;
            const HResult status = ConvertDataBlob(200, 500, cut, result);
            if (status == kStatusOk) {
                ++succeeded;
                EXPECT_EQ(result, whole) << "cut after " << length << " of " << document.size() << " bytes";
            } else {
                EXPECT_EQ(status, kStatusFail) << "cut after " << length << " bytes";
                EXPECT_TRUE(result.empty());
            }
        }
        EXPECT_LE(succeeded, 4u) << "only cuts inside the root's end tag may succeed";
    }
}

}  // namespace
}  // namespace audiogram
