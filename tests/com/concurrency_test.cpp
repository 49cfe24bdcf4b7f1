// Conversions of every pair on eight threads at once give the statuses and bytes of the same
// conversions made one after another by the dispatcher: through the dispatcher, and through
// the component with an object per thread, as apartment-threaded hosts use it. Each case
// runs in a process of its own, so the threads also race through the process's first
// conversion, where the configuration is set up; with the log on, lines never mix.

#include <functional>
#include <latch>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "com_test_support.h"
#include "record_builder/record_sets.h"
#include "support/random_bytes.h"
#include "support/scoped_program_data.h"

namespace audiogram::com::testing {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 2;

using Convert = std::function<HResult(DataStandard to, DataStandard from, Blob& source, Blob& result)>;

const Convert kDispatcher = [](DataStandard to, DataStandard from, Blob& source, Blob& result) {
    return ConvertDataBlob(to, from, source, result);
};

struct Job {
    DataStandard to, from;
    Blob source;
    bool exported = false;  // the source is a 200 record whose document the job converts
};

// Every pair from the records of the shared sets and from noise (the 100 records with
// extension bytes), then inputs that fail. Every third job converts an export, and each
// thread starts at one, so that all of them meet the configuration's set-up.
constexpr std::pair<short, short> kPairs[] = {{500, 200}, {200, 500}, {100, 500},
                                              {500, 100}, {100, 200}, {200, 100}};
constexpr std::size_t kRecords = 3;

std::vector<Job> Jobs() {
    std::vector<Job> jobs;
    for (Blob record200 : {record_sets::Typical200(), record_sets::EverySection200(),
                           audiogram::testing::RandomBytes(36128 + 11, 2024)}) {
        Blob record100;
        ConvertDataBlob(100, 200, record200, record100);
        record100.insert(record100.end(), {'E', 'X', 'T'});
        for (const auto& [to, from] : kPairs)
            jobs.push_back({to, from, from == 100 ? record100 : record200, from == 500});
    }
    const std::string_view garbage = "<TORVAAudiometricStandard><ToneNotes>&&<<</";
    jobs.push_back({500, 200, Blob(36127, 1)});
    jobs.push_back({200, 500, Blob(garbage.begin(), garbage.end())});
    jobs.push_back({300, 100, Blob(19472, 2)});
    return jobs;
}

// The statuses and bytes of each conversion a job made.
using Outcome = std::vector<std::pair<HResult, Blob>>;

Outcome RunJob(const Job& job, const Convert& convert) {
    Outcome outcome;
    const auto step = [&](DataStandard to, DataStandard from, Blob source) {
        Blob result;
        outcome.emplace_back(convert(to, from, source, result), result);
        return result;
    };
    if (job.exported) {
        step(job.to, 500, step(500, 200, job.source));
    } else {
        step(job.to, job.from, job.source);
    }
    return outcome;
}

// Runs body(thread) on threads that all start at the same moment.
void OnThreadsAtOnce(const std::function<void(int)>& body) {
    std::latch start(kThreads);
    std::vector<std::jthread> running;
    for (int thread = 0; thread < kThreads; ++thread) {
        running.emplace_back([&, thread] {
            start.arrive_and_wait();
            body(thread);
        });
    }
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

enum class Route { Dispatcher, Component };

class Concurrency : public ::testing::TestWithParam<std::tuple<Route, bool>> {};

TEST_P(Concurrency, EightThreadsGiveWhatOneGivesOneByOne) {
    const Route route = std::get<Route>(GetParam());  // a structured binding cannot be captured in C++20
    const bool logged = std::get<bool>(GetParam());
    const audiogram::testing::ScopedProgramData programData;  // without a log, the set-up writes the file
    if (logged) programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    SetValidCharReportStream(nullptr);
    const std::vector<Job> jobs = Jobs();
    std::vector<std::vector<Outcome>> outcomes(kThreads, std::vector<Outcome>(jobs.size()));

    OnThreadsAtOnce([&](int thread) {
        ComPtr<IConvertAction> converter = route == Route::Component ? CreateConverter() : nullptr;
        const Convert throughComponent = [&](DataStandard to, DataStandard from, Blob& source, Blob& result) {
            OwnedVariant blob(ByteArrayVariant(source)), out;
            const HRESULT status = converter->ConvertDataBlob(to, from, blob.value, &out.value);
            if (SUCCEEDED(status)) result = BytesOf(out.value);
            return status;
        };
        const std::size_t first = static_cast<std::size_t>(thread) * 3 % (kRecords * std::size(kPairs));
        for (int round = 0; round < kRounds; ++round) {
            for (std::size_t k = 0; k < jobs.size(); ++k) {
                const std::size_t job = (first + k) % jobs.size();
                outcomes[static_cast<std::size_t>(thread)][job] =
                    RunJob(jobs[job], route == Route::Dispatcher ? kDispatcher : throughComponent);
            }
        }
    });

    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const Outcome alone = RunJob(jobs[job], kDispatcher);
        for (std::size_t thread = 0; thread < outcomes.size(); ++thread)
            EXPECT_TRUE(outcomes[thread][job] == alone) << "job " << job << " on thread " << thread;
    }
    if (logged) {
        ExpectWholeLines(programData.ReadLog());
    } else {
        EXPECT_NE(programData.ReadIni().find("ValidCharacters"), std::string::npos);
    }
    if (route == Route::Component) {
        EXPECT_EQ(Module::Get().CanUnloadNow(), S_OK) << "a reference was left";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Routes, Concurrency,
    ::testing::Combine(::testing::Values(Route::Dispatcher, Route::Component), ::testing::Bool()),
    [](const auto& row) {
        return std::string(std::get<Route>(row.param) == Route::Dispatcher ? "Dispatcher" : "Component") +
               (std::get<bool>(row.param) ? "WithTheLog" : "FirstConversions");
    });

}  // namespace
}  // namespace audiogram::com::testing
