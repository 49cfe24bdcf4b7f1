// The conversions the Windows stage repeats through COM, made here by the Linux build: every
// sample, and each record with five extension bytes after it (cut for the export, dropped
// otherwise), to every data standard, the refused ones included; then every document the
// export wrote, back in as data standard 500. The configuration is the defaults, as in the
// stage's fresh Wine prefix.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "reference_cases.h"
#include "support/scoped_program_data.h"

namespace audiogram::com::testing {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new audiogram::testing::IsolatedProcessConfiguration);

void ToEveryStandard(const std::string& name, short from, const Blob& input,
                     std::vector<ReferenceCase>& cases) {
    for (const short to : {short{100}, short{200}, short{500}, short{300}}) {
        Blob source = input, result;
        const HResult status = ConvertDataBlob(to, from, source, result);
        cases.push_back({name, from, to, status, input, result});
    }
}

TEST(WineReference, LinuxConversionsOfTheSamples) {
    std::vector<ReferenceCase> cases;
    for (const auto& sample : std::filesystem::directory_iterator(VESK_SAMPLES)) {
        const std::string name = sample.path().filename().string(), type = sample.path().extension().string();
        const short from = type == ".ds100" ? 100 : type == ".ds200" ? 200 : 500;
        std::ifstream file(sample.path(), std::ios::binary);
        Blob input{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        ToEveryStandard(name, from, input, cases);
        if (from == 500) continue;
        input.insert(input.end(), {1, 2, 3, 0xFD, 0xFE});
        ToEveryStandard(name + "+ext", from, input, cases);
    }
    ASSERT_FALSE(cases.empty()) << "no samples in " << VESK_SAMPLES;
    for (std::size_t i = 0, converted = cases.size(); i < converted; ++i) {
        if (cases[i].to == 500 && cases[i].status == kStatusOk)
            ToEveryStandard(cases[i].name + ".to500.xml", 500, Blob(cases[i].expected), cases);
    }
    SaveReferenceCases(cases, VESK_WINE_REFERENCE_FOLDER);
}

}  // namespace
}  // namespace audiogram::com::testing
