#pragma once
// Which pairs of data standards the dispatcher converts: every target it writes from every
// other standard it reads. Callers that explain a refusal ask here rather than guess.

#include "service/data_standard.h"

namespace audiogram {

constexpr bool IsKnownDataStandard(DataStandard standard) {
    return standard == kDataStandard100 || standard == kDataStandard200 || standard == kDataStandard500;
}

constexpr bool IsSupportedPair(DataStandard newDataFormat, DataStandard oldDataFormat) {
    return IsKnownDataStandard(newDataFormat) && IsKnownDataStandard(oldDataFormat) &&
           newDataFormat != oldDataFormat;
}

}  // namespace audiogram
