// How much heap a conversion takes: the same few allocations whatever the record holds (none
// per element, point or text), and the same peak however many conversions ran before, with
// nothing held afterwards. operator new and delete count in this program
// (support/allocation_counter.cpp); the XML writer's buffer, which grows with the document in
// its own steps by realloc, is not among them (the sanitizer build checks that it is freed).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_builder/record_sets.h"
#include "service/blob_dispatcher.h"
#include "support/allocation_counter.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new testing::IsolatedProcessConfiguration);

struct Direction {
    DataStandard from;
    DataStandard to;
};
constexpr Direction kDirections[] = {{100, 200}, {200, 100}, {200, 500}, {100, 500}, {500, 200}, {500, 100}};

// The record sets in every data standard, the extension bytes of a host included.
struct Inputs {
    std::string name;
    Blob record100, record200, document500;

    const Blob& In(DataStandard standard) const {
        return standard == 100 ? record100 : standard == 200 ? record200 : document500;
    }
};

std::vector<Inputs> AllInputs() {
    std::vector<Inputs> inputs;
    for (const auto& [name, record] :
         {std::pair{"empty", record_sets::Empty200()}, std::pair{"typical", record_sets::Typical200()},
          std::pair{"every-section", record_sets::EverySection200()},
          std::pair{"heavy", record_sets::Heavy200()}}) {
        Inputs set{name, {}, record, {}};
        Blob source = record;
        ConvertDataBlob(100, 200, source, set.record100);
        source = record;
        ConvertDataBlob(500, 200, source, set.document500);
        inputs.push_back(std::move(set));
    }
    return inputs;
}

struct Measured {
    std::uint64_t allocations;
    std::size_t peakBytes;
    std::size_t heldBytes;  // after the result was released
};

Measured Convert(const Direction& direction, const Inputs& inputs) {
    Blob source = inputs.In(direction.from);
    const testing::AllocationProbe probe;
    {
        Blob result;
        EXPECT_EQ(ConvertDataBlob(direction.to, direction.from, source, result), kStatusOk);
    }
    return {probe.Allocations(), probe.PeakBytes(), probe.HeldBytes()};
}

TEST(Allocations, AreAsFewForEveryRecordAsForTheEmptyOne) {
    const std::vector<Inputs> inputs = AllInputs();
    for (const Direction& direction : kDirections) {
        const std::uint64_t forEmpty = Convert(direction, inputs.front()).allocations;
        EXPECT_LE(forEmpty, 3u) << direction.from << " to " << direction.to;
        for (const Inputs& set : inputs) {
            EXPECT_EQ(Convert(direction, set).allocations, forEmpty)
                << direction.from << " to " << direction.to << ", " << set.name << " record";
        }
    }
}

TEST(PeakHeap, OfAConversionDoesNotDependOnTheConversionsBefore) {
    const std::vector<Inputs> inputs = AllInputs();
    std::vector<Measured> first;
    for (const Direction& direction : kDirections) first.push_back(Convert(direction, inputs.back()));
    for (int round = 0; round < 50; ++round) {
        for (const Direction& direction : kDirections) {
            for (const Inputs& set : inputs) Convert(direction, set);
        }
    }
    for (std::size_t i = 0; i < std::size(kDirections); ++i) {
        const Measured again = Convert(kDirections[i], inputs.back());
        EXPECT_EQ(again.peakBytes, first[i].peakBytes) << kDirections[i].from << " to " << kDirections[i].to;
        EXPECT_EQ(again.allocations, first[i].allocations);
        EXPECT_EQ(again.heldBytes, 0u) << "nothing is kept between conversions";
    }
}

// Whichever allocation of a conversion fails, the status says so and the result stays as it was.
TEST(OutOfMemory, AtAnyAllocationOfAConversionIsReportedAsSuch) {
    const std::vector<Inputs> inputs = AllInputs();
    const Blob untouched{7, 7, 7};
    for (const Direction& direction : kDirections) {
        const std::uint64_t allocations = Convert(direction, inputs.back()).allocations;
        for (std::uint64_t index = 0; index < allocations; ++index) {
            Blob source = inputs.back().In(direction.from);
            Blob result = untouched;
            const testing::AllocationFailure failure(index);
            const HResult status = ConvertDataBlob(direction.to, direction.from, source, result);
            ASSERT_TRUE(failure.Happened());
            EXPECT_EQ(status, kStatusOutOfMemory)
                << direction.from << " to " << direction.to << ", allocation " << index;
            EXPECT_EQ(result, untouched);
        }
    }
}

}  // namespace
}  // namespace audiogram
