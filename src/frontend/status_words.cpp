#include "frontend/status_words.h"

#include <cinttypes>
#include <cstdio>

#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "service/conversion_pairs.h"

namespace audiogram::frontend {
namespace {

std::string Standard(DataStandard standard) { return "data standard " + std::to_string(standard); }

// The other two known standards, the sources a known target converts from.
std::string SourcesOf(DataStandard target) {
    std::string sources;
    for (const DataStandard standard : {kDataStandard100, kDataStandard200, kDataStandard500}) {
        if (standard == target) continue;
        sources += sources.empty() ? std::to_string(standard) : " or " + std::to_string(standard);
    }
    return sources;
}

std::size_t FixedRecordSize(DataStandard standard) {
    switch (standard) {
        case kDataStandard100: return record100::kSize;
        case kDataStandard200: return record200::kSize;
        default: return 0;
    }
}

std::string DescribeInvalidBlob(const ConversionRequest& request) {
    if (!IsSupportedPair(request.to, request.from)) {
        if (request.from == request.to) return "the input is already " + Standard(request.to) + "; there is nothing to convert";
        return Standard(request.from) + " cannot be converted to " + Standard(request.to) + "; convert to " +
               std::to_string(request.to) + " from " + SourcesOf(request.to);
    }
    if (request.inputSize < FixedRecordSize(request.from)) return DescribeShortRecord(request.from, request.inputSize);
    return "the input is not a valid " + Standard(request.from) + " blob";
}

std::string DescribeUnavailableStep(const ConversionRequest& request) {
    if (request.from == kDataStandard500) return "reading " + Standard(500) + " documents is not built into this version";
    if (request.to == kDataStandard500) return "writing " + Standard(500) + " documents is not built into this version";
    return "this conversion is not built into this version";
}

std::string DescribeStepFailure(const ConversionRequest& request) {
    if (request.from == kDataStandard500) return "the input could not be read as a " + Standard(500) + " document";
    if (request.to == kDataStandard500) return "the " + Standard(500) + " document could not be written";
    return "the conversion failed";
}

}  // namespace

// One of exactly the other record's size was most likely given the wrong standard.
std::string DescribeShortRecord(DataStandard standard, std::size_t inputSize) {
    std::string words = std::to_string(inputSize) + " bytes is shorter than a " + Standard(standard) + " record (" +
                        std::to_string(FixedRecordSize(standard)) + " bytes)";
    for (const DataStandard other : {kDataStandard100, kDataStandard200}) {
        if (other != standard && inputSize == FixedRecordSize(other)) {
            words += "; it is the size of a " + Standard(other) + " record";
        }
    }
    return words;
}

std::string DescribeFailure(HResult status, const ConversionRequest& request) {
    switch (status) {
        case CONV_E_UNSUPPORTEDFORMAT:
            return Standard(request.to) + " is not a target this converter writes; use 100, 200 or 500";
        case CONV_E_INVALIDBLOB: return DescribeInvalidBlob(request);
        case CONV_E_NOTIMPLEMENTED: return DescribeUnavailableStep(request);
        case kStatusFail: return DescribeStepFailure(request);
        case kStatusOutOfMemory: return "there was not enough memory for the conversion";
        default: return "the conversion failed";
    }
}

std::string FormatStatus(HResult status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08" PRIX32, static_cast<std::uint32_t>(status));
    return text;
}

std::string InputLabel(std::string_view name) {
    if (name.empty() || name == "-") return "standard input";
    std::string label = "'";
    return label.append(name).append("'");
}

std::string FailureText(std::string_view inputName, std::string_view reason, HResult status) {
    std::string text = InputLabel(inputName);
    return text.append(": ").append(reason).append(" (").append(FormatStatus(status)).append(")");
}

}  // namespace audiogram::frontend
