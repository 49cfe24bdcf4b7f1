// Conversions of every pair on eight threads at once give the bytes of the same conversions
// made one after another. Each test runs in a process of its own, so the threads also race
// through the first conversion of the process, where the configuration is set up.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/conversion_jobs.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 2;

const testing::ConvertFunction kDispatcher = [](DataStandard to, DataStandard from, Blob& source, Blob& result) {
    return ConvertDataBlob(to, from, source, result);
};

// Every thread starts with an export, so all of them meet the configuration's set-up, then
// runs every job, each thread in another order.
std::vector<std::vector<testing::JobOutcome>> RunOnAllThreads(const std::vector<testing::ConversionJob>& jobs) {
    std::vector<std::vector<testing::JobOutcome>> outcomes(kThreads, std::vector<testing::JobOutcome>(jobs.size()));
    testing::OnThreadsAtOnce(kThreads, [&](int thread) {
        const std::size_t first = 1 + static_cast<std::size_t>(thread) * 3;  // job 1 is an export
        for (int round = 0; round < kRounds; ++round) {
            for (std::size_t k = 0; k < jobs.size(); ++k) {
                const std::size_t job = (first + k) % jobs.size();
                outcomes[static_cast<std::size_t>(thread)][job] = testing::RunJob(jobs[job], kDispatcher);
            }
        }
    });
    return outcomes;
}

void ExpectSameAsOneByOne(const std::vector<testing::ConversionJob>& jobs,
                          const std::vector<std::vector<testing::JobOutcome>>& outcomes) {
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const testing::JobOutcome alone = testing::RunJob(jobs[job], kDispatcher);
        for (std::size_t thread = 0; thread < outcomes.size(); ++thread) {
            EXPECT_TRUE(outcomes[thread][job] == alone) << jobs[job].name << " on thread " << thread;
        }
    }
}

TEST(Concurrency, FirstConversionsOfTheProcessRaceThroughTheSetUpAndGiveTheSameBytes) {
    const testing::ScopedProgramData programData;  // no configuration file yet: the set-up writes it
    SetValidCharReportStream(nullptr);
    const std::vector<testing::ConversionJob> jobs = testing::ConversionJobs();
    const auto outcomes = RunOnAllThreads(jobs);
    ExpectSameAsOneByOne(jobs, outcomes);
    EXPECT_NE(programData.ReadIni().find("ValidCharacters"), std::string::npos);
}

TEST(Concurrency, WithTheLogOnEveryLineIsWrittenWhole) {
    const testing::ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    SetValidCharReportStream(nullptr);
    const std::vector<testing::ConversionJob> jobs = testing::ConversionJobs();
    const auto outcomes = RunOnAllThreads(jobs);
    ExpectSameAsOneByOne(jobs, outcomes);

    // Each line is a time stamp, a blank and one message of a known kind: lines of threads
    // never mix.
    std::istringstream log(programData.ReadLog());
    std::size_t lines = 0;
    for (std::string line; std::getline(log, line); ++lines) {
        ASSERT_GE(line.size(), 20u) << "line " << lines;
        EXPECT_TRUE(line[4] == '-' && line[10] == ' ' && line[13] == ':' && line[19] == ' ') << line;
        const std::string message = line.substr(20);
        const bool known = message.rfind("---", 0) == 0 || message.rfind("Init: ", 0) == 0 ||
                           message.rfind("GetLegalXMLString: ", 0) == 0 ||
                           message.rfind("ReplaceEscapeSequence: ", 0) == 0;
        EXPECT_TRUE(known) << line;
    }
    EXPECT_GT(lines, 3u);
}

}  // namespace
}  // namespace audiogram
