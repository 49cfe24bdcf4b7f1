#include "model/signal_route.h"

#include <array>

namespace audiogram::model {
namespace {

// Codes of the signal output list that name an ear and a route.
struct OutputRoute {
    std::int16_t code;
    SignalRoute route;
};

constexpr std::array kOutputRoutes = {
    OutputRoute{2, {Ear::Left, Route::Air}},           // AirConductorLeft
    OutputRoute{3, {Ear::Right, Route::Air}},          // AirConductorRight
    OutputRoute{4, {Ear::Both, Route::Air}},           // AirConductorBinaural
    OutputRoute{5, {Ear::Left, Route::Bone}},          // BoneConductorLeft
    OutputRoute{6, {Ear::Right, Route::Bone}},         // BoneConductorRight
    OutputRoute{7, {Ear::Both, Route::Bone}},          // BoneConductorBinaural
    OutputRoute{8, {Ear::Left, Route::SoundField}},    // FreeFieldLeft
    OutputRoute{9, {Ear::Right, Route::SoundField}},   // FreeFieldRight
    OutputRoute{10, {Ear::Both, Route::SoundField}},   // FreeFieldBinaural
    OutputRoute{11, {Ear::Left, Route::Air}},          // InsertPhoneLeft
    OutputRoute{12, {Ear::Right, Route::Air}},         // InsertPhoneRight
    OutputRoute{13, {Ear::Both, Route::Air}},          // InsertPhoneBinaural
};

}  // namespace

SignalRoute RouteOfSignalOutput(std::int16_t code) {
    for (const OutputRoute& output : kOutputRoutes) {
        if (output.code == code) return output.route;
    }
    return {Ear::None, Route::Other};
}

std::string_view EarName(Ear ear) {
    switch (ear) {
        case Ear::Right: return "right";
        case Ear::Left: return "left";
        case Ear::Both: return "both";
        case Ear::None: break;
    }
    return "none";
}

std::string_view RouteName(Route route) {
    switch (route) {
        case Route::Air: return "air";
        case Route::Bone: return "bone";
        case Route::SoundField: return "sound field";
        case Route::Other: break;
    }
    return "other";
}

}  // namespace audiogram::model
