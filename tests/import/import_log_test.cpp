// The import logs every escape it turns back, and that sets up the process's configuration
// like an export does; an import with nothing to turn back leaves the configuration alone.
// The process's configuration is made once, so this case has a program of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "import_test_support.h"
#include "support/configuration.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

TEST(ImportLog, ReplacedEscapesAreLoggedAfterTheConfigurationIsSetUp) {
    const testing::ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    ProcessConfiguration().SetReportStream(nullptr);

    const auto plain = test::Import(test::Document("<ToneNotes><TestMethod>a & b</TestMethod></ToneNotes>"));
    ASSERT_EQ(plain.status, 0);
    EXPECT_FALSE(std::filesystem::exists(programData.LogFile()));

    const auto escaped =
        test::Import(test::Document("<ToneNotes><TestMethod>a &amp;lt; b</TestMethod></ToneNotes>"));
    ASSERT_EQ(escaped.status, 0);
    EXPECT_EQ(escaped.Text(record200::kToneNotesOffset, record200::notes::kTestMethod), u"a < b");
    const std::string log = programData.ReadLog();
    EXPECT_NE(log.find("Init: GetPathToIniFile "), std::string::npos) << log;
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &amp; with & in a &amp;lt; b\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &lt; with < in a &lt; b\n"), std::string::npos)
        << log;
}

}  // namespace
}  // namespace audiogram
