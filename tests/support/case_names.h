#pragma once
// Names parameterised cases after the `name` member of their parameter, so a failure says
// which row of the table broke, in the test's name and in the printed parameter.

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

namespace audiogram {
namespace testing {

struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& caseInfo) const {
        return caseInfo.param.name;
    }
};

}  // namespace testing

// Case tables live in each test's unnamed namespace; this printer sits in the same one so
// GoogleTest finds it for every case that has a name.
namespace {
template <typename Case>
requires requires(const Case& row) {
    { row.name } -> std::convertible_to<std::string>;
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}
}  // namespace

}  // namespace audiogram
