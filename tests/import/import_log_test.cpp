// The import logs every escape it turns back, and that sets up the process's configuration
// like an export does; an import with nothing to turn back leaves the configuration alone.
// The process's configuration is made once, so this case has a program of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document_test_support.h"
#include "support/configuration.h"
#include "support/scoped_program_data.h"

namespace audiogram::testing {
namespace {

TEST(ImportLog, ReplacedEscapesAreLoggedAfterTheConfigurationIsSetUp) {
    const ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    ProcessConfiguration().SetReportStream(nullptr);

    ASSERT_TRUE(Import(Document("<ToneNotes><TestMethod>a & b</TestMethod></ToneNotes>")));
    EXPECT_FALSE(std::filesystem::exists(programData.LogFile()));

    const auto escaped = Import(Document("<ToneNotes><TestMethod>a &amp;lt; b</TestMethod></ToneNotes>"));
    ASSERT_TRUE(escaped);
    const ByteSpan notes = ByteSpan(*escaped).subspan(record200::kToneNotesOffset);
    EXPECT_EQ(ReadTextToTerminator(notes, record200::notes::kTestMethod), u"a < b");
    const std::string log = programData.ReadLog();
    EXPECT_NE(log.find("Init: GetPathToIniFile "), std::string::npos) << log;
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &amp; with & in a &amp;lt; b\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &lt; with < in a &lt; b\n"), std::string::npos)
        << log;
}

}  // namespace
}  // namespace audiogram::testing
