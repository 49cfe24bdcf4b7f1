#pragma once
// The AudiometerLastCalibration leaf carries one text made of the calibration date-time and
// the zone designator after it; the import splits it back into the two fields.

#include <string_view>

namespace audiogram {

struct CalibrationParts {
    std::u16string_view dateTime;
    std::u16string_view zone;
};

// A bare date (YYYY-MM-DD) is the date part whole. Otherwise a "Z" ends the date part; else
// a '-' or '+' six units before the end begins the zone (such as -05:00 or +01:00); else the
// whole text is the date part.
CalibrationParts SplitCalibration(std::u16string_view text);

}  // namespace audiogram
