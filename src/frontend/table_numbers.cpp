#include "frontend/table_numbers.h"

#include <cstdio>

namespace audiogram::frontend {
namespace {

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string Decibels(double value) {
    std::string shown = Printed("%.3f", value);
    while (shown.ends_with('0') && shown[shown.size() - 2] != '.') shown.pop_back();
    return shown;
}

std::string PlainNumber(double value) {
    // values are 16-bit integers scaled by at most a thousandth: three decimals hold them all
    std::string shown = Printed("%.3f", value);
    while (shown.ends_with('0')) shown.pop_back();
    if (shown.ends_with('.')) shown.pop_back();
    return shown == "-0" ? "0" : shown;
}

}  // namespace audiogram::frontend
