#include "frontend/record_loading.h"

#include "frontend/input_detection.h"
#include "frontend/status_words.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::frontend {
namespace {

std::optional<std::size_t> ExtensionAfter(std::size_t size, std::size_t record) {
    return size > record ? size - record : 0;
}

}  // namespace

LoadedRecord LoadAsRecord200(std::vector<std::uint8_t>& input, std::optional<DataStandard> from) {
    LoadedRecord loaded;
    loaded.inputSize = input.size();
    const std::optional<DataStandard> standard = from ? from : DetectDataStandard(input);
    if (!standard) {
        loaded.status = CONV_E_INVALIDBLOB;
        loaded.reason = UndetectedReason(input.size());
        return loaded;
    }
    loaded.standard = *standard;
    switch (*standard) {
        case kDataStandard100:
            loaded.status = ConvertBlob100to200(input, loaded.record200);
            loaded.extensionBytes = ExtensionAfter(input.size(), record100::kSize);
            break;
        case kDataStandard200:
            // the 200 to 200 pair is no conversion; the record is read as it is
            if (input.size() < record200::kSize) {
                loaded.status = CONV_E_INVALIDBLOB;
                loaded.reason = DescribeShortRecord(kDataStandard200, input.size());
                return loaded;
            } else {
                loaded.record200.assign(input.begin(), input.begin() + record200::kSize);
            }
            loaded.extensionBytes = ExtensionAfter(input.size(), record200::kSize);
            break;
        case kDataStandard500: loaded.status = ConvertBlob500to200(input, loaded.record200); break;
        default:
            loaded.status = CONV_E_UNSUPPORTEDFORMAT;
            loaded.reason = "data standard " + std::to_string(*standard) + " is not one this tool reads; use 100, 200 or 500";
            return loaded;
    }
    if (Failed(loaded.status)) {
        loaded.reason = DescribeFailure(loaded.status, {*standard, kDataStandard200, input.size()});
    }
    return loaded;
}

std::string DefaultChartTitle(const std::string& inputName) { return "Audiogram: " + inputName; }

}  // namespace audiogram::frontend
