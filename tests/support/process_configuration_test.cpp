// The process's own configuration on a clean machine: no PROGRAMDATA and no
// /var/lib/Torva. Nothing may be created, logging stays off and the text rules still
// work with the default table.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "service/configured_text_rules.h"
#include "support/configuration.h"
#include "support/scoped_program_data.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

TEST(ProcessConfiguration, StaysOffAndCreatesNothingOnACleanMachine) {
    if (std::filesystem::exists("/var/lib/Torva")) GTEST_SKIP() << "/var/lib/Torva exists on this machine";
    const testing::ScopedEnvironmentVariable unset("PROGRAMDATA", std::nullopt);
    ProcessConfiguration().SetReportStream(nullptr);

    // the first uses come from several threads at once
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([] { EXPECT_TRUE(ProcessConfiguration().LegalCharacters().IsLegal(u'a')); });
    for (std::thread& thread : threads) thread.join();

    EXPECT_EQ(GetPathToIniFile(), "/var/lib/Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini");
    EXPECT_EQ(GetLogFilePath(), "/var/lib/Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log");
    EXPECT_FALSE(ProcessConfiguration().LogEnabledFlag());
    Log("nothing %d", 1);
    LogW(u"nothing %s", u"at all");
    bool changed = true;
    ConfiguredTextRules rules(ProcessConfiguration());
    EXPECT_EQ(GetLegalXMLString(rules, "Name", u"a<\x01", changed, false), u"a&lt;");
    EXPECT_TRUE(changed);
    EXPECT_EQ(WideToUtf8(u"\u00E9"), "\xC3\xA9");
    EXPECT_FALSE(std::filesystem::exists("/var/lib/Torva"));
}

}  // namespace
}  // namespace audiogram
