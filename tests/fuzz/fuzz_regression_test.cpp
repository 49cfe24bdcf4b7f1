// Every input a fuzz target starts from, and every input a fuzz run ever broke a property
// with (kept in fuzz/regressions/<target>/), passes the target's checks. The well-formedness
// walk that the round trip relies on is itself checked on documents it must refuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
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

std::string Failures(Target target, const std::vector<Seed>& inputs) {
    std::string failures;
    for (const Seed& input : inputs) {
        const std::string problem = Check(target, input.bytes);
        if (!problem.empty()) failures += input.name + ": " + problem + "\n";
    }
    return failures;
}

std::vector<Seed> KeptFindings(Target target) {
    std::vector<Seed> findings;
    const std::filesystem::path folder = kRegressions / TargetName(target);
    if (!std::filesystem::is_directory(folder)) return findings;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        findings.push_back({entry.path().filename().string(),
                            {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()}});
    }
    return findings;
}

class FuzzTarget : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzTarget, SeedsKeepTheProperty) {
    const std::vector<Seed> seeds = SeedsFor(GetParam());
    EXPECT_GE(seeds.size(), 6u);
    EXPECT_EQ(Failures(GetParam(), seeds), "");
}

TEST_P(FuzzTarget, KeptFindingsKeepTheProperty) { EXPECT_EQ(Failures(GetParam(), KeptFindings(GetParam())), ""); }

INSTANTIATE_TEST_SUITE_P(Targets, FuzzTarget, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& target) {
                             std::string name(TargetName(target.param));
                             name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
                             return name;
                         });

}  // namespace
}  // namespace audiogram::fuzz
