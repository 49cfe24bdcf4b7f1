#include "fuzz_properties.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "import/convert500to200.h"
#include "import/xml_reader.h"
#include "records/empty_record.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"
#include "service/configured_text_rules.h"
#include "support/configuration.h"
#include "record_input.h"
#include "well_formed_xml.h"

namespace audiogram::fuzz {
namespace {

using testing::WellFormednessProblem;

constexpr std::uint8_t kAnyCodeSelector = 0xC0;
constexpr std::int16_t kKnownStandards[] = {kDataStandard100, kDataStandard200, kDataStandard500};

std::string_view AsText(const Blob& blob) { return {reinterpret_cast<const char*>(blob.data()), blob.size()}; }

std::string Describe(std::int16_t to, std::int16_t from, std::size_t length) {
    return "(" + std::to_string(to) + " from " + std::to_string(from) + ", " + std::to_string(length) + " bytes)";
}

std::size_t FixedRecordSize(std::int16_t standard) {
    return standard == kDataStandard100 ? record100::kSize : record200::kSize;
}

// The statuses the dispatch table allows for a pair and a blob length. Conversions between
// the binary standards and the export cannot fail on data; only the import may.
std::vector<HResult> AllowedStatuses(std::int16_t to, std::int16_t from, std::size_t length) {
    const auto known = [](std::int16_t standard) { return std::ranges::count(kKnownStandards, standard) > 0; };
    if (!known(to)) return {CONV_E_UNSUPPORTEDFORMAT};
    if (!known(from) || from == to) return {CONV_E_INVALIDBLOB};
    if (from == kDataStandard500) return {kStatusOk, kStatusFail};
    if (length < FixedRecordSize(from)) return {CONV_E_INVALIDBLOB};
    return {kStatusOk};
}

// One step of the cycle through the dispatcher; empty when it succeeded.
std::string Step(std::int16_t to, std::int16_t from, Blob source, Blob& result) {
    // A copy of the source: the export may complete the calibration date in it.
    const HResult status = ConvertDataBlob(to, from, source, result);
    return status == kStatusOk ? std::string() : Describe(to, from, source.size()) + " failed with " + std::to_string(status);
}

// A record source is described as a record input, a document is taken as it stands.
Blob RecordSource(const PickedPair& pair) {
    if (pair.oldDataFormat == kDataStandard500) return Blob(pair.blob.begin(), pair.blob.end());
    Blob record = RecordFromInput(pair.blob);
    if (pair.oldDataFormat != kDataStandard100 || IsRawRecordInput(pair.blob)) return record;
    Blob record100;
    ConvertBlob200to100(record, record100);
    record100.insert(record100.end(), record.begin() + record200::kSize, record.end());  // the extension
    return record100;
}

}  // namespace

std::string_view TargetName(Target target) {
    constexpr std::string_view kNames[] = {"dispatch", "import", "round_trip", "quick_paths"};
    return kNames[static_cast<std::size_t>(target)];
}

PickedPair PickPair(ByteSpan input) {
    std::int16_t picked[2] = {0, 0};
    std::size_t used = 0;
    for (std::int16_t& standard : picked) {
        const std::uint8_t selector = used < input.size() ? input[used] : 0;
        ++used;
        if (selector < kAnyCodeSelector) {
            standard = kKnownStandards[selector % std::size(kKnownStandards)];
            continue;
        }
        std::uint16_t code = 0;
        for (int byte = 0; byte < 2; ++byte, ++used) {
            const std::uint8_t value = used < input.size() ? input[used] : 0;
            code = static_cast<std::uint16_t>(code | (value << (8 * byte)));
        }
        standard = static_cast<std::int16_t>(code);
    }
    return {picked[0], picked[1], input.subspan(std::min(used, input.size()))};
}

std::string EncodePair(std::int16_t newDataFormat, std::int16_t oldDataFormat) {
    std::string encoded;
    for (const std::int16_t standard : {newDataFormat, oldDataFormat}) {
        const auto code = static_cast<std::uint16_t>(standard);
        encoded += {static_cast<char>(kAnyCodeSelector), static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)};
    }
    return encoded;
}

std::string CheckDispatch(ByteSpan input) {
    const PickedPair pair = PickPair(input);
    Blob source = RecordSource(pair);
    const std::string what = Describe(pair.newDataFormat, pair.oldDataFormat, source.size());

    const Blob untouched = {0xDE, 0xAD};
    Blob result = untouched;
    const HResult status = ConvertDataBlob(pair.newDataFormat, pair.oldDataFormat, source, result);
    const std::vector<HResult> allowed = AllowedStatuses(pair.newDataFormat, pair.oldDataFormat, source.size());
    if (std::find(allowed.begin(), allowed.end(), status) == allowed.end()) {
        return "status " + std::to_string(status) + " is not one the dispatch table allows " + what;
    }
    if (Failed(status)) {
        return result == untouched ? std::string() : "a failed conversion changed the result " + what;
    }
    if (pair.newDataFormat != kDataStandard500) {
        const std::size_t size = FixedRecordSize(pair.newDataFormat);
        return result.size() == size ? std::string() : "the result is not " + std::to_string(size) + " bytes long " + what;
    }
    const std::string problem = WellFormednessProblem(AsText(result));
    return problem.empty() ? problem : "the document is not well-formed " + what + ": " + problem;
}

std::string CheckImport(ByteSpan input) {
    ConfiguredTextRules textRules(ProcessConfiguration());  // the dispatcher's, compared below
    Convert500to200 converter(textRules);
    Record200Bytes record;
    MakeEmptyRecord200(record);
    const HResult status = converter.Convert_Audio(input, record);
    if (status != kStatusOk && status != kStatusFail) return "the import ended with " + std::to_string(status);

    // The dispatcher's step gives the same answer and the same record.
    Blob source(input.begin(), input.end());
    Blob dispatched;
    const HResult dispatchStatus = ConvertDataBlob(kDataStandard200, kDataStandard500, source, dispatched);
    if ((status == 0) != (dispatchStatus == kStatusOk)) {
        return "the import gave " + std::to_string(status) + " but the dispatcher " + std::to_string(dispatchStatus);
    }
    if (status == 0 && !std::equal(record.begin(), record.end(), dispatched.begin(), dispatched.end())) {
        return "the dispatcher's 500 to 200 step fills another record than the import";
    }
    return {};
}

std::string CheckRoundTrip(ByteSpan input) {
    Blob record = RecordFromInput(input);
    record.resize(record200::kSize);
    // Documents D1 to D3, each exported from the import of the one before.
    Blob documents[3];
    for (std::size_t round = 0; round < std::size(documents); ++round) {
        std::string problem = round == 0 ? "" : Step(kDataStandard200, kDataStandard500, documents[round - 1], record);
        if (problem.empty()) problem = Step(kDataStandard500, kDataStandard200, record, documents[round]);
        if (!problem.empty()) return "the round to D" + std::to_string(round + 1) + ": " + problem;
    }
    if (std::string problem = WellFormednessProblem(AsText(documents[0])); !problem.empty()) {
        return "D1 is not well-formed: " + problem;
    }
    if (documents[2] == documents[1]) return {};
    const auto difference = std::mismatch(documents[2].begin(), documents[2].end(), documents[1].begin(), documents[1].end());
    return "D3 differs from D2 at byte " + std::to_string(difference.second - documents[1].begin());
}

std::string CheckQuickPaths(ByteSpan input) {
    Blob source(input.begin(), input.end());
    Blob quick;
    Blob general;
    const HResult quickStatus = ConvertDataBlob(kDataStandard200, kDataStandard500, source, quick);
    gQuickPathsOff = true;
    const HResult generalStatus = ConvertDataBlob(kDataStandard200, kDataStandard500, source, general);
    gQuickPathsOff = false;
    if (quickStatus != generalStatus) {
        return "the import gave " + std::to_string(quickStatus) + " with the quick paths, " +
               std::to_string(generalStatus) + " without";
    }
    return quick == general ? std::string() : "the quick paths fill another record than the general path";
}

void UseDefaultConfiguration() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path made =
            std::filesystem::temp_directory_path() / ("audconv-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return made;
    }();
    ::setenv("PROGRAMDATA", folder.c_str(), 1);
    SetValidCharReportStream(nullptr);
    Init();
}

std::string Check(Target target, ByteSpan input) {
    constexpr std::string (*kChecks[])(ByteSpan) = {CheckDispatch, CheckImport, CheckRoundTrip, CheckQuickPaths};
    return kChecks[static_cast<std::size_t>(target)](input);
}

}  // namespace audiogram::fuzz
