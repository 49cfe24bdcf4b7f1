// The process's own configuration on a clean machine: no PROGRAMDATA and no
// /var/lib/Torva. Nothing may be created, logging stays off and the legal characters
// still come from the default table.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "support/configuration.h"
#include "support/scoped_program_data.h"

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
    EXPECT_FALSE(std::filesystem::exists("/var/lib/Torva"));
}

}  // namespace
}  // namespace audiogram
