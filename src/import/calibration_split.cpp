#include "import/calibration_split.h"

#include <cstddef>

namespace audiogram {
namespace {

constexpr std::size_t kBareDateLength = 10;
constexpr std::size_t kZoneOffsetLength = 6;  // such as +01:00

constexpr bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// The form the export accepts as a date: digits at 0-3, 5-6 and 8-9, hyphens at 4 and 7.
bool IsBareDate(std::u16string_view text) {
    if (text.size() != kBareDateLength) return false;
    for (std::size_t i = 0; i < kBareDateLength; ++i) {
        const bool hyphenPlace = i == 4 || i == 7;
        if (hyphenPlace ? text[i] != u'-' : !IsDigit(text[i])) return false;
    }
    return true;
}

}  // namespace

CalibrationParts SplitCalibration(std::u16string_view text) {
    std::size_t dateLength = text.size();
    if (IsBareDate(text)) {
        dateLength = text.size();
    } else if (const std::size_t zulu = text.find(u'Z'); zulu != std::u16string_view::npos) {
        dateLength = zulu + 1;
    } else if (text.size() > kZoneOffsetLength) {
        const char16_t sign = text[text.size() - kZoneOffsetLength];
        if (sign == u'-' || sign == u'+') dateLength = text.size() - kZoneOffsetLength;
    }
    return {text.substr(0, dateLength), text.substr(dateLength)};
}

}  // namespace audiogram
