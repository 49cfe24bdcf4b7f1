#include "batch_convert.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "file_io.h"
#include "input_detection.h"
#include "input_files.h"
#include "service/blob_dispatcher.h"
#include "status_words.h"

namespace audiogram::tool {
namespace fs = std::filesystem;
namespace {

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The output's file name: a data-standard suffix is replaced, any other name keeps its
// whole name, so "a.bin" and "a.dat" cannot meet in one output.
fs::path OutputName(const fs::path& input, DataStandard to) {
    const fs::path name = input.filename();
    if (StandardOfSuffix(name.extension().string())) return name.stem().string() + SuffixOf(to);
    return name.string() + SuffixOf(to);
}

// Two inputs that would write one output: the later one fails instead of replacing the
// earlier one's result.
void RefuseSharedOutputs(std::vector<BatchJob>& jobs) {
    std::map<fs::path, const BatchJob*> owners;
    for (BatchJob& job : jobs) {
        if (!job.conflict.empty()) continue;
        const auto [owner, inserted] = owners.emplace(job.output.lexically_normal(), &job);
        if (!inserted) {
            job.conflict = "its output " + Quoted(job.output) + " is already the output of " + Quoted(owner->second->input);
        }
    }
}

JobResult FailedJob(std::string reason, HResult status, std::size_t bytes = 0) {
    return {Outcome::Failed, std::move(reason), status, bytes};
}

JobResult SkippedJob(std::string reason) { return {Outcome::Skipped, std::move(reason), kStatusOk, 0}; }

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Draws "  12/40 [######              ]" on one terminal line and keeps the messages of
// finished jobs above it.
class Progress {
public:
    Progress(std::ostream& out, std::size_t total, bool bar) : out_(out), total_(total), bar_(bar) {}

    void Finished(const std::string& message) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (!message.empty()) {
            Clear();
            out_ << message << '\n';
        }
        if (bar_) Draw();
    }

    void End() {
        const std::lock_guard lock(mutex_);
        Clear();
        out_.flush();
    }

private:
    void Clear() {
        if (bar_) out_ << "\r\033[K";
    }

    void Draw() {
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = total_ ? done_ * kWidth / total_ : kWidth;
        out_ << '\r' << done_ << '/' << total_ << " [" << std::string(filled, '#') << std::string(kWidth - filled, ' ')
             << ']' << std::flush;
    }

    std::ostream& out_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool bar_;
    std::mutex mutex_;
};

std::string Message(const BatchJob& job, const JobResult& result, Verbosity verbosity) {
    const bool verbose = verbosity == Verbosity::Verbose;
    switch (result.outcome) {
        case Outcome::Converted:
            return verbose ? "audconv: converted " + Quoted(job.input) + " to " + Quoted(job.output) : std::string();
        case Outcome::Failed:
            return "audconv: " + Quoted(job.input) + ": " + result.reason + " (" + audconv::FormatStatus(result.status) +
                   ")";
        case Outcome::Skipped: return !verbose ? std::string() : "audconv: skipped " + Quoted(job.input) + ": " + result.reason;
    }
    return {};
}

}  // namespace

std::vector<BatchJob> PlanBatch(const BatchOptions& options) {
    std::vector<BatchJob> jobs;
    for (const InputFile& file : ListInputFiles(options.inputs, options.recursive, options.from)) {
        if (!file.error.empty()) {
            jobs.push_back({file.path, {}, file.error});
            continue;
        }
        // files of a folder are mirrored under the output folder
        const fs::path relative = file.folder.empty() ? fs::path() : file.path.lexically_relative(file.folder).parent_path();
        jobs.push_back({file.path, options.outDir / relative / OutputName(file.path, options.to), {}});
    }
    RefuseSharedOutputs(jobs);
    return jobs;
}

JobResult RunJob(const BatchJob& job, const BatchOptions& options) {
    if (!job.conflict.empty()) return FailedJob(job.conflict, kStatusFail);
    try {
        if (!options.force && Exists(job.output)) {
            return SkippedJob(Quoted(job.output) + " exists (--force replaces it)");
        }
        std::vector<std::uint8_t> input = audconv::ReadInput(job.input.string());
        const std::optional<DataStandard> from = options.from ? options.from : DetectDataStandard(input);
        if (!from) return FailedJob(UndetectedReason(input.size()), CONV_E_INVALIDBLOB, input.size());
        if (!options.from && *from == options.to) {
            return SkippedJob("it is already data standard " + std::to_string(options.to));
        }
        Blob result;
        const HResult status = ConvertDataBlob(options.to, *from, input, result);
        if (Failed(status)) {
            return FailedJob(audconv::DescribeFailure(status, {*from, options.to, input.size()}), status, input.size());
        }
        fs::create_directories(job.output.parent_path());
        // checked again just before the write: another program may have made it meanwhile
        if (!options.force && Exists(job.output)) return SkippedJob(Quoted(job.output) + " exists (--force replaces it)");
        audconv::WriteOutputFile(job.output, result);
        return {Outcome::Converted, {}, kStatusOk, input.size()};
    } catch (const audconv::FileError& error) {
        return FailedJob(error.what(), kStatusFail);
    } catch (const fs::filesystem_error& error) {
        return FailedJob("cannot create the folder " + Quoted(error.path1()) + ": " + error.code().message(), kStatusFail);
    } catch (const std::bad_alloc&) {
        return FailedJob("there was not enough memory", kStatusOutOfMemory);
    } catch (const std::exception& error) {
        return FailedJob(error.what(), kStatusFail);
    }
}

BatchSummary RunBatch(const BatchOptions& options, std::ostream& messages, bool progressBar) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<BatchJob> jobs = PlanBatch(options);
    std::vector<JobResult> results(jobs.size());
    const bool quiet = options.verbosity == Verbosity::Quiet;
    Progress progress(messages, jobs.size(), progressBar && !quiet);

    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            results[i] = RunJob(jobs[i], options);
            progress.Finished(Message(jobs[i], results[i], options.verbosity));
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(options.jobs, 1, std::max<std::size_t>(jobs.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t i = 1; i < threads; ++i) workers.emplace_back(work);
    work();
    workers.clear();  // joins
    progress.End();

    BatchSummary summary;
    for (const JobResult& result : results) {
        switch (result.outcome) {
            case Outcome::Converted:
                ++summary.converted;
                summary.convertedBytes += result.inputBytes;
                break;
            case Outcome::Failed: ++summary.failed; break;
            case Outcome::Skipped: ++summary.skipped; break;
        }
    }
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!quiet) messages << "audconv: " << SummaryLine(summary) << '\n';
    return summary;
}

std::string SummaryLine(const BatchSummary& summary) {
    const double megabytes = static_cast<double>(summary.convertedBytes) / 1e6;
    const double rate = summary.seconds > 0 ? megabytes / summary.seconds : 0;
    char line[160];
    std::snprintf(line, sizeof line, "%zu converted, %zu failed, %zu skipped in %.2f s (%.1f MB/s)", summary.converted,
                  summary.failed, summary.skipped, summary.seconds, rate);
    return line;
}

}  // namespace audiogram::tool
