#pragma once
// Names parameterised cases after the `name` member of their parameter, so a failure says
// which case of the table broke.

#include <string>

#include <gtest/gtest.h>

namespace audiogram::testing {

struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& caseInfo) const {
        return caseInfo.param.name;
    }
};

}  // namespace audiogram::testing
