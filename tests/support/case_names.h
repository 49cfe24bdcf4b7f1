#pragma once
// Names parameterised cases after the `name` member of their parameter, so a failure says
// which row of the table broke.

#include <gtest/gtest.h>

#include <string>

namespace audiogram::testing {

struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& caseInfo) const {
        return caseInfo.param.name;
    }
};

}  // namespace audiogram::testing
