// Every input a fuzz target starts from, and every input a fuzz run ever broke a property
// with (kept in fuzz/regressions/<target>/), passes the target's checks.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_properties.h"
#include "seed_corpus.h"
#include "support/scoped_program_data.h"

namespace audiogram::fuzz {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new audiogram::testing::IsolatedProcessConfiguration);

const std::filesystem::path kRegressions = AUDCONV_FUZZ_REGRESSIONS_DIR;

class FuzzTarget : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzTarget, SeedsAndKeptFindingsKeepTheProperty) {
    std::vector<Seed> inputs = SeedsFor(GetParam());
    EXPECT_GE(inputs.size(), 6u);
    for (Seed& finding : ReadFolder(kRegressions / TargetName(GetParam()))) inputs.push_back(std::move(finding));
    std::string failures;
    for (const Seed& input : inputs) {
        if (const std::string problem = Check(GetParam(), input.bytes); !problem.empty()) {
            failures += input.name + ": " + problem + "\n";
        }
    }
    EXPECT_EQ(failures, "");
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzTarget, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& target) {
                             std::string name(TargetName(target.param));
                             name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
                             return name;
                         });

}  // namespace
}  // namespace audiogram::fuzz
