// The import turns escapes back under the process's configuration, so each one it turns
// back reaches the configuration's log. (That nothing is set up or logged until a rule needs
// a setting, the configured rules' own tests show.) The process's configuration is made
// once, so this case has a program of its own.

#include <gtest/gtest.h>

#include <string>

#include "document_test_support.h"
#include "support/configuration.h"
#include "support/scoped_program_data.h"

namespace audiogram::testing {
namespace {

TEST(ImportLog, ReplacedEscapesReachTheProcesssLog) {
    const ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    ProcessConfiguration().SetReportStream(nullptr);

    ASSERT_TRUE(Import(Document("<ToneNotes><TestMethod>a &amp;lt; b</TestMethod></ToneNotes>")));
    const std::string log = programData.ReadLog();
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &amp; with & in a &amp;lt; b\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find(" ReplaceEscapeSequence: Replace &lt; with < in a &lt; b\n"), std::string::npos)
        << log;
}

}  // namespace
}  // namespace audiogram::testing
