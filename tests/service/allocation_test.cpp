// How much heap a conversion takes: as many allocations for the heaviest record as for the
// empty one (none per element, point or text), the same peak however many conversions ran
// before, and whichever allocation fails, a status that says so and an untouched result.
// operator new and delete count in this program (support/allocation_counter.cpp); the XML
// writer's buffer, which grows by realloc, is not among them.

#include <gtest/gtest.h>

#include "record_builder/record_sets.h"
#include "service/blob_dispatcher.h"
#include "support/allocation_counter.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new testing::IsolatedProcessConfiguration);

// The empty and the heavy record in the standard a conversion reads.
Blob Input(DataStandard standard, const Blob& record200) {
    if (standard == kDataStandard200) return record200;
    Blob source = record200, input;
    EXPECT_EQ(ConvertDataBlob(standard, kDataStandard200, source, input), kStatusOk);
    return input;
}

struct Measured {
    std::uint64_t allocations;
    std::size_t peakBytes;
};

Measured Convert(DataStandard to, DataStandard from, Blob source) {
    const testing::AllocationProbe probe;
    {
        Blob result;
        EXPECT_EQ(ConvertDataBlob(to, from, source, result), kStatusOk) << from << " to " << to;
    }
    return {probe.Allocations(), probe.PeakBytes()};
}

TEST(Allocations, FewAlikeForEveryRecordSteadyOverRepeatsAndEachFailureReported) {
    constexpr DataStandard kDirections[][2] = {{100, 200}, {200, 100}, {200, 500},
                                               {100, 500}, {500, 200}, {500, 100}};
    for (const auto& [from, to] : kDirections) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        const Blob empty = Input(from, record_sets::Empty200()), heavy = Input(from, record_sets::Heavy200());
        const Measured first = Convert(to, from, heavy);
        EXPECT_EQ(first.allocations, Convert(to, from, empty).allocations);
        EXPECT_LE(first.allocations, 3u);
        for (int round = 0; round < 20; ++round) Convert(to, from, round % 2 == 0 ? empty : heavy);
        EXPECT_EQ(Convert(to, from, heavy).peakBytes, first.peakBytes);
        for (std::uint64_t index = 0; index < first.allocations; ++index) {
            Blob source = heavy, result{7, 7, 7};
            const testing::AllocationFailure failure(index);
            EXPECT_EQ(ConvertDataBlob(to, from, source, result), kStatusOutOfMemory)
                << "allocation " << index;
            EXPECT_EQ(result, (Blob{7, 7, 7}));
        }
    }
}

}  // namespace
}  // namespace audiogram
