// Every input a fuzz target starts from, and every input a fuzz run ever broke a property
// with (kept in fuzz/regressions/<target>/), passes the target's checks. The well-formedness
// walk that the round trip relies on is itself checked on documents it must refuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_properties.h"
#include "seed_corpus.h"
#include "support/case_names.h"
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

TEST(DispatchSeeds, NameEveryPairTheyAreFor) {
    for (const std::int16_t to : std::initializer_list<std::int16_t>{100, 200, 500, 300, -1, 0}) {
        for (const std::int16_t from : std::initializer_list<std::int16_t>{100, 200, 500, 32767, -32768}) {
            const std::string encoded = EncodePair(to, from) + "blob";
            const PickedPair picked = PickPair(ByteSpan(reinterpret_cast<const std::uint8_t*>(encoded.data()), encoded.size()));
            EXPECT_EQ(picked.newDataFormat, to);
            EXPECT_EQ(picked.oldDataFormat, from);
            EXPECT_EQ(std::string(picked.blob.begin(), picked.blob.end()), "blob");
        }
    }
}

struct DocumentCase {
    std::string name;
    std::string document;
    bool wellFormed;
};

const DocumentCase kDocuments[] = {
    {"Minimal", "<?xml version=\"1.0\"?>\r\n<R a=\"1\">\r\n\t<L>x &amp; &#65; &#x42;</L>\r\n<E/></R>\r\n", true},
    {"CommentAndWideText", "<R><!-- a - b --><L>\xC3\xA9\xE2\x82\xAC</L></R>", true},
    {"Unclosed", "<R><L>x</L>", false},
    {"Crossed", "<R><A><B></A></B></R>", false},
    {"RawAmpersand", "<R>a & b</R>", false},
    {"UnknownEntity", "<R>&nbsp;</R>", false},
    {"RawLessThanInAttribute", "<R a=\"<\"/>", false},
    {"DoubleDashInComment", "<R><!-- a -- b --></R>", false},
    {"TwoRoots", "<R/><S/>", false},
    {"TextOutsideRoot", "x<R/>", false},
    {"ControlCharacter", "<R>\x01</R>", false},
    {"CharacterReferenceToControl", "<R>&#1;</R>", false},
    {"BrokenUtf8", "<R>\xC3</R>", false},
    {"OverlongUtf8", "<R>\xE0\x80\xBC</R>", false},
    {"EncodedSurrogate", "<R>\xED\xA0\x80</R>", false},
    {"Empty", "", false},
};

class WellFormedness : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(WellFormedness, TellsWellFormedDocumentsFromBrokenOnes) {
    EXPECT_EQ(WellFormednessProblem(GetParam().document).empty(), GetParam().wellFormed)
        << WellFormednessProblem(GetParam().document);
}

INSTANTIATE_TEST_SUITE_P(Documents, WellFormedness, ::testing::ValuesIn(kDocuments), audiogram::testing::CaseName());

}  // namespace
}  // namespace audiogram::fuzz
