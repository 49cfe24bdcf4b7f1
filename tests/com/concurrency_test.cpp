// Conversions of every pair on eight threads at once give the statuses and bytes of the same
// conversions made one after another by the dispatcher: through the dispatcher, and through
// the component with an object per thread, as apartment-threaded hosts use it. Each case
// runs in a process of its own, so the threads also race through the process's first
// conversion, where the configuration is set up; with the log on, lines never mix.

#include <latch>
#include <regex>
#include <sstream>
#include <thread>

#include "com_test_support.h"
#include "record_builder/record_sets.h"
#include "support/random_bytes.h"
#include "support/scoped_program_data.h"

namespace audiogram::com::testing {
namespace {

constexpr std::size_t kThreads = 8;

struct Job {
    short to, from;
    Blob source;
    bool exported = false;  // the source is a 200 record whose document the job converts
};

// Every pair from the records of the shared sets and from noise (the 100 records with
// extension bytes), then three inputs that fail: 21 jobs. Every third job exports and thread
// t starts at job 3t, so that all threads meet the configuration's set-up.
std::vector<Job> Jobs() {
    std::vector<Job> jobs;
    for (Blob record200 : {record_sets::Typical200(), record_sets::EverySection200(),
                           audiogram::testing::RandomBytes(36128 + 11, 2024)}) {
        Blob record100;
        ConvertDataBlob(100, 200, record200, record100);
        record100.insert(record100.end(), {'E', 'X', 'T'});
        for (const auto& [to, from] :
             {std::pair<short, short>{500, 200}, {200, 500}, {100, 500}, {500, 100}, {100, 200}, {200, 100}})
            jobs.push_back({to, from, from == 100 ? record100 : record200, from == 500});
    }
    const std::string_view garbage = "<TORVAAudiometricStandard><ToneNotes>&&<<</";
    jobs.push_back({500, 200, Blob(36127, 1)});
    jobs.push_back({200, 500, Blob(garbage.begin(), garbage.end())});
    jobs.push_back({300, 100, Blob(19472, 2)});
    return jobs;
}

// One conversion through the dispatcher, or through the component when there is one.
std::pair<HResult, Blob> Convert(IConvertAction* converter, short to, short from, Blob source) {
    Blob result;
    if (converter == nullptr) return {ConvertDataBlob(to, from, source, result), result};
    OwnedVariant blob(ByteArrayVariant(source)), out;
    const HResult status = converter->ConvertDataBlob(to, from, blob.value, &out.value);
    return {status, SUCCEEDED(status) ? BytesOf(out.value) : result};
}

// The status and bytes of a job; an exported job's export shows in its document's record.
std::pair<HResult, Blob> RunJob(const Job& job, IConvertAction* converter) {
    if (!job.exported) return Convert(converter, job.to, job.from, job.source);
    return Convert(converter, job.to, 500, Convert(converter, 500, 200, job.source).second);
}

// Each line is a time stamp, a blank and one message of a known kind: lines never mix.
void ExpectWholeLines(const std::string& text) {
    const std::regex whole(
        R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (---|Init: |GetLegalXMLString: |ReplaceEscapeSequence: ).*)");
    std::istringstream log(text);
    std::size_t lines = 0;
    for (std::string line; std::getline(log, line); ++lines)
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
    EXPECT_GT(lines, 3u);
}

// The parameters: through the component (else the dispatcher), with the log on.
class Concurrency : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(Concurrency, EightThreadsGiveWhatOneGivesOneByOne) {
    const bool throughComponent = std::get<0>(GetParam()), logged = std::get<1>(GetParam());
    const audiogram::testing::ScopedProgramData programData;  // without a log, the set-up writes the file
    if (logged) programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    SetValidCharReportStream(nullptr);
    const std::vector<Job> jobs = Jobs();
    std::vector<std::vector<std::pair<HResult, Blob>>> outcomes(
        kThreads, std::vector<std::pair<HResult, Blob>>(jobs.size()));
    std::latch start(kThreads);
    {
        std::vector<std::jthread> threads;
        for (std::size_t thread = 0; thread < kThreads; ++thread) {
            threads.emplace_back([&, thread] {
                start.arrive_and_wait();
                ComPtr<IConvertAction> converter = throughComponent ? CreateConverter() : nullptr;
                for (std::size_t k = 0; k < 2 * jobs.size(); ++k) {  // two rounds
                    const std::size_t job = (3 * thread + k) % jobs.size();
                    outcomes[thread][job] = RunJob(jobs[job], converter.Get());
                }
            });
        }
    }
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const auto alone = RunJob(jobs[job], nullptr);
        for (std::size_t thread = 0; thread < kThreads; ++thread)
            EXPECT_TRUE(outcomes[thread][job] == alone) << "job " << job << " on thread " << thread;
    }
    if (logged) {
        ExpectWholeLines(programData.ReadLog());
    } else {
        EXPECT_NE(programData.ReadIni().find("ValidCharacters"), std::string::npos);
    }
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_OK) << "a reference was left";
}

INSTANTIATE_TEST_SUITE_P(Routes, Concurrency, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param) ? "Component" : "Dispatcher") +
                                    (std::get<1>(row.param) ? "WithTheLog" : "FirstConversions");
                         });

}  // namespace
}  // namespace audiogram::com::testing
