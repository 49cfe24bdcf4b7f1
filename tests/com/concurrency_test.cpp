// Conversions of every pair on eight threads at once give the statuses and bytes of the same
// conversions made one after another by the dispatcher: through the dispatcher, and through
// the component with an object per thread, as apartment-threaded hosts use it. Each case
// runs in a process of its own, so the threads also race through the process's first
// conversion, where the configuration is set up; with the log on, lines never mix.

#include <functional>
#include <latch>
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
    std::string name;
    DataStandard to, from;
    Blob source;
    bool exported = false;  // the source is a 200 record that the job exports to convert from 500
};

// Every pair from records of the shared sets and from noise, with extension bytes after
// the 100 records, and inputs that fail. A job from 500 exports its document itself, so
// even a thread's first conversion may be an export.
std::vector<Job> Jobs() {
    const std::pair<std::string, Blob> records[] = {{"typical", record_sets::Typical200()},
                                                    {"every-section", record_sets::EverySection200()},
                                                    {"noise", audiogram::testing::RandomBytes(36128 + 11, 2024)}};
    std::vector<Job> jobs;
    for (const auto& [name, record200] : records) {
        Blob source = record200, record100;
        ConvertDataBlob(100, 200, source, record100);
        record100.insert(record100.end(), {'E', 'X', 'T'});
        jobs.push_back({name + " 200 to 100", 100, 200, record200});
        jobs.push_back({name + " 200 to 500", 500, 200, record200});
        jobs.push_back({name + " 500 to 200", 200, 500, record200, true});
        jobs.push_back({name + " 500 to 100", 100, 500, record200, true});
        jobs.push_back({name + " 100 to 200", 200, 100, record100});
        jobs.push_back({name + " 100 to 500", 500, 100, record100});
    }
    const std::string_view garbage = "<TORVAAudiometricStandard><ToneNotes>&&<<</";
    jobs.push_back({"short 200 to 500", 500, 200, Blob(36127, 1)});
    jobs.push_back({"garbage 500 to 200", 200, 500, Blob(garbage.begin(), garbage.end())});
    jobs.push_back({"unknown target", 300, 100, Blob(19472, 2)});
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

HResult ConvertThrough(IConvertAction& converter, DataStandard to, DataStandard from, const Blob& source,
                       Blob& result) {
    OwnedVariant blob(ByteArrayVariant(source));
    OwnedVariant out;
    const HRESULT status = converter.ConvertDataBlob(to, from, blob.value, &out.value);
    if (SUCCEEDED(status)) result = BytesOf(out.value);
    return status;
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

// Each line is a time stamp, a blank and one message of a known kind.
void ExpectWholeLines(const std::string& text) {
    std::istringstream log(text);
    std::size_t lines = 0;
    for (std::string line; std::getline(log, line); ++lines) {
        ASSERT_GE(line.size(), 20u) << "line " << lines;
        EXPECT_TRUE(line[4] == '-' && line[10] == ' ' && line[13] == ':' && line[19] == ' ') << line;
        bool known = false;
        for (const char* start : {"---", "Init: ", "GetLegalXMLString: ", "ReplaceEscapeSequence: "})
            known = known || line.compare(20, std::string::traits_type::length(start), start) == 0;
        EXPECT_TRUE(known) << line;
    }
    EXPECT_GT(lines, 3u);
}

enum class Route { Dispatcher, Component };

class Concurrency : public ::testing::TestWithParam<std::tuple<Route, bool>> {};

TEST_P(Concurrency, EightThreadsGiveWhatOneGivesOneByOne) {
    const auto [route, logged] = GetParam();
    const audiogram::testing::ScopedProgramData programData;  // without a log, the set-up writes the file
    if (logged) programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    SetValidCharReportStream(nullptr);
    const std::vector<Job> jobs = Jobs();
    std::vector<std::vector<Outcome>> outcomes(kThreads, std::vector<Outcome>(jobs.size()));

    OnThreadsAtOnce([&](int thread) {
        ComPtr<IConvertAction> converter = route == Route::Component ? CreateConverter() : nullptr;
        const Convert convert = route == Route::Dispatcher ? kDispatcher
                                                           : [&](DataStandard to, DataStandard from,
                                                                 Blob& source, Blob& result) {
                                                                 return ConvertThrough(*converter, to, from,
                                                                                       source, result);
                                                             };
        const std::size_t first = 1 + static_cast<std::size_t>(thread) * 3;  // job 1 is an export
        for (int round = 0; round < kRounds; ++round) {
            for (std::size_t k = 0; k < jobs.size(); ++k) {
                const std::size_t job = (first + k) % jobs.size();
                outcomes[static_cast<std::size_t>(thread)][job] = RunJob(jobs[job], convert);
            }
        }
    });

    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const Outcome alone = RunJob(jobs[job], kDispatcher);
        for (std::size_t thread = 0; thread < outcomes.size(); ++thread)
            EXPECT_TRUE(outcomes[thread][job] == alone) << jobs[job].name << " on thread " << thread;
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

INSTANTIATE_TEST_SUITE_P(Routes, Concurrency,
                         ::testing::Combine(::testing::Values(Route::Dispatcher, Route::Component),
                                            ::testing::Bool()),
                         [](const auto& row) {
                             return std::string(std::get<Route>(row.param) == Route::Dispatcher ? "Dispatcher"
                                                                                                 : "Component") +
                                    (std::get<bool>(row.param) ? "WithTheLog" : "FirstConversions");
                         });

}  // namespace
}  // namespace audiogram::com::testing
