#pragma once
// The conversions the concurrency tests run on many threads at once and then once more on
// one: every pair of data standards, from 100 and 200 records of the shared record sets and
// from the 500 documents exported from them, with extension bytes, and the inputs that fail
// (short blobs, garbage documents, unknown standards). A job from 500 exports its document
// itself, so even the first conversion of a thread may be an export.

#include <cstdint>
#include <functional>
#include <latch>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "record_builder/record_sets.h"
#include "service/blob_dispatcher.h"

namespace audiogram::testing {

// One conversion as the route under test makes it (the dispatcher, or a component).
using ConvertFunction = std::function<HResult(DataStandard to, DataStandard from, Blob& source, Blob& result)>;

struct ConversionJob {
    std::string name;
    DataStandard to;
    DataStandard from;
    Blob source;  // a 100 or 200 blob; for jobs from 500, the 200 record the document is exported from
};

// What a job gave: the status and bytes of each conversion it made.
struct JobOutcome {
    std::vector<HResult> statuses;
    std::vector<Blob> results;
    bool operator==(const JobOutcome&) const = default;
};

inline std::vector<ConversionJob> ConversionJobs() {
    std::mt19937 random(2024);
    Blob noise(36128 + 11);
    for (std::uint8_t& byte : noise) byte = static_cast<std::uint8_t>(random());
    const std::vector<std::pair<std::string, Blob>> records = {
        {"typical", record_sets::Typical200()}, {"every-section", record_sets::EverySection200()}, {"noise", noise}};

    std::vector<ConversionJob> jobs;
    for (const auto& [name, record200] : records) {
        Blob source = record200;
        Blob record100;
        ConvertDataBlob(100, 200, source, record100);
        record100.insert(record100.end(), {'E', 'X', 'T'});
        jobs.push_back({name + " 200 to 100", 100, 200, record200});
        jobs.push_back({name + " 200 to 500", 500, 200, record200});
        jobs.push_back({name + " 100 to 200", 200, 100, record100});
        jobs.push_back({name + " 100 to 500", 500, 100, record100});
        jobs.push_back({name + " 500 to 200", 200, 500, record200});
        jobs.push_back({name + " 500 to 100", 100, 500, record200});
    }
    jobs.push_back({"short 200 to 500", 500, 200, Blob(36127, 1)});
    jobs.push_back({"garbage 500 to 200", 200, 500, {}});
    jobs.push_back({"unknown target", 300, 100, Blob(19472, 2)});
    return jobs;
}

inline JobOutcome RunJob(const ConversionJob& job, const ConvertFunction& convert) {
    JobOutcome outcome;
    const auto step = [&](DataStandard to, DataStandard from, Blob source) {
        Blob result;
        outcome.statuses.push_back(convert(to, from, source, result));
        outcome.results.push_back(result);
        return result;
    };
    if (job.name.rfind("garbage", 0) == 0) {
        constexpr std::string_view kGarbage = "<TORVAAudiometricStandard><ToneNotes>&&<<</";
        step(job.to, job.from, Blob(kGarbage.begin(), kGarbage.end()));
    } else if (job.from == 500) {
        step(job.to, 500, step(500, 200, job.source));
    } else {
        step(job.to, job.from, job.source);
    }
    return outcome;
}

// Runs body(thread) on `threads` threads that all start at the same moment.
inline void OnThreadsAtOnce(int threads, const std::function<void(int)>& body) {
    std::latch start(threads);
    std::vector<std::jthread> running;
    for (int thread = 0; thread < threads; ++thread) {
        running.emplace_back([&, thread] {
            start.arrive_and_wait();
            body(thread);
        });
    }
}

}  // namespace audiogram::testing
