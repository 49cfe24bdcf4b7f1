// The text rules of a configuration: nothing is set up until a rule needs a setting, and the
// rules' lines reach the configuration's log (which cuts them and reduces them to ASCII as it
// does its own lines, checked with the configuration).
#include "service/configured_text_rules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/scoped_program_data.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

TEST(ConfiguredTextRules, SetUpOnTheFirstNeedAndLogThroughTheConfiguration) {
    const testing::ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    Configuration config;
    config.SetReportStream(nullptr);
    ConfiguredTextRules rules(config);

    std::u16string text = u"a & b";  // no entity: no rule needs a setting
    ReplaceEscapeSequence(rules, text);
    EXPECT_FALSE(std::filesystem::exists(programData.LogFile()));

    text = u"100%d &amp; \u00E9";  // a message is never taken as a format
    ReplaceEscapeSequence(rules, text);
    bool changed = false;
    GetLegalXMLString(rules, "N\xC3\xA9", u"<", changed, false);

    std::vector<std::string> messages;  // after the time stamps and the set-up's three lines
    std::istringstream log(programData.ReadLog());
    for (std::string line; std::getline(log, line);) messages.push_back(line.substr(20));
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[1], "Init: GetPathToIniFile " + programData.IniFile().string());
    EXPECT_EQ(messages[3], "ReplaceEscapeSequence: Replace &amp; with & in 100%d &amp; ?");
    EXPECT_EQ(messages[4], "GetLegalXMLString: Data for Element N? contains < which is escaped with &lt;");
}

}  // namespace
}  // namespace audiogram
