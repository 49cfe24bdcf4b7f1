#pragma once
// Which ear a curve tests and by which route, from the output its stimulus is sent to.

#include <cstdint>
#include <string_view>

#include "model/audiogram.h"

namespace audiogram::model {

struct SignalRoute {
    Ear ear;
    Route route;
};

// The ear and route of a stimulus signal output code; Ear::None and Route::Other for a code
// that names no ear and route.
SignalRoute RouteOfSignalOutput(std::int16_t code);

// "right", "left", "both", "none".
std::string_view EarName(Ear ear);
// "air", "bone", "sound field", "other".
std::string_view RouteName(Route route);

}  // namespace audiogram::model
