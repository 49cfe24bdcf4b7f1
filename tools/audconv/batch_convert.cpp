#include "batch_convert.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "file_io.h"
#include "frontend/conversion_findings.h"
#include "frontend/file_naming.h"
#include "frontend/input_detection.h"
#include "frontend/status_words.h"
#include "input_files.h"
#include "service/blob_dispatcher.h"

namespace audiogram::tool {
namespace fs = std::filesystem;
using frontend::OutputName;
using frontend::StandardOfSuffix;
namespace {

using audconv::QuotedName;

// Two inputs that would write one output: the later one fails instead of replacing the
// earlier one's result.
void RefuseSharedOutputs(std::vector<BatchJob>& jobs) {
    std::map<fs::path, const BatchJob*> owners;
    for (BatchJob& job : jobs) {
        if (!job.conflict.empty()) continue;
        const auto [owner, inserted] = owners.emplace(job.output.lexically_normal(), &job);
        if (!inserted) {
            job.conflict = "its output " + QuotedName(job.output) + " is already the output of " + QuotedName(owner->second->input);
        }
    }
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

JobResult Result(Outcome outcome, std::string reason, HResult status, std::size_t bytes) {
    JobResult result;
    result.outcome = outcome;
    result.reason = std::move(reason);
    result.status = status;
    result.inputBytes = bytes;
    return result;
}

JobResult FailedJob(std::string reason, HResult status, std::size_t bytes = 0) {
    return Result(Outcome::Failed, std::move(reason), status, bytes);
}

JobResult SkippedJob(std::string reason, SkipReason why) {
    JobResult result = Result(Outcome::Skipped, std::move(reason), kStatusOk, 0);
    result.skip = why;
    return result;
}

JobResult ExistingOutput(const BatchJob& job) {
    return SkippedJob(QuotedName(job.output) + " exists (--force replaces it)", SkipReason::OutputExists);
}

JobResult UnwritableOutput(std::string reason) {
    JobResult result = FailedJob(std::move(reason), kStatusFail);
    result.outputUnwritable = true;
    return result;
}

// A refusal under strict: the conversion itself succeeded, so there is no failed status.
JobResult RefusedJob(const std::vector<frontend::Finding>& findings, std::size_t bytes) {
    std::string reason;
    for (const frontend::Finding& finding : findings) reason += (reason.empty() ? "" : "; ") + finding.message;
    return FailedJob(reason + " (refused under --strict)", kStatusOk, bytes);
}

// Writes the result, or stages it in `outputs`; a failure here means the output folder
// cannot take files, and stops the batch.
std::optional<JobResult> WriteResult(const BatchJob& job, const BatchOptions& options, const Blob& result,
                                     audconv::OutputBatch* outputs, std::optional<std::size_t>& staged) {
    try {
        fs::create_directories(job.output.parent_path());
        // Without --force, an output another program makes meanwhile is kept, up to the
        // moment the new file takes the name.
        const auto existing = options.force ? audconv::Existing::Replace : audconv::Existing::Keep;
        if (outputs) {
            staged = outputs->Stage(job.output, result, existing);
        } else {
            audconv::WriteOutputFile(job.output, result, existing);
        }
        return std::nullopt;
    } catch (const audconv::NameTaken&) {
        return ExistingOutput(job);
    } catch (const audconv::FileError& error) {
        return UnwritableOutput(error.what());
    } catch (const fs::filesystem_error& error) {
        return UnwritableOutput("cannot create the folder " + QuotedName(error.path1()) + ": " + error.code().message());
    }
}

// Draws "  12/40 [######              ]" on one terminal line while the jobs run.
class Progress {
public:
    Progress(std::ostream& out, std::size_t total, bool bar) : out_(out), total_(total), bar_(bar) {}

    void Finished() {
        if (!bar_) return;
        const std::lock_guard lock(mutex_);
        ++done_;
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = total_ ? done_ * kWidth / total_ : kWidth;
        out_ << '\r' << done_ << '/' << total_ << " [" << std::string(filled, '#')
             << std::string(kWidth - filled, ' ') << ']' << std::flush;
    }

    void End() {
        if (bar_) out_ << "\r\033[K";
        out_.flush();
    }

private:
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
            return verbose ? "audconv: converted " + QuotedName(job.input) + " to " + QuotedName(job.output) : std::string();
        case Outcome::Failed:
            if (result.status == kStatusOk) return "audconv: " + QuotedName(job.input) + ": " + result.reason;
            return "audconv: " + frontend::FailureText(job.input.string(), result.reason, result.status);
        case Outcome::Skipped: return !verbose ? std::string() : "audconv: skipped " + QuotedName(job.input) + ": " + result.reason;
        case Outcome::NotTried: break;
    }
    return {};
}

// The warnings of a converted job, one line each, unless quiet.
std::string WarningLines(const BatchJob& job, const JobResult& result, Verbosity verbosity) {
    std::string lines;
    if (verbosity == Verbosity::Quiet) return lines;
    for (const std::string& warning : result.warnings) {
        lines += (lines.empty() ? "" : "\n") + ("audconv: warning: " + QuotedName(job.input) + ": " + warning);
    }
    return lines;
}

std::string JoinedLines(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return first + second;
    return first + "\n" + second;
}

// The outputs made durable; a job whose output did not make it failed after all, or was
// skipped when another program's file took its name meanwhile.
void CommitOutputs(audconv::OutputBatch& outputs, const std::vector<BatchJob>& jobs, std::vector<JobResult>& results) {
    const std::vector<audconv::Committed> committed = outputs.Commit();
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].staged) continue;
        const audconv::Committed& output = committed[*results[i].staged];
        if (output.state == audconv::Committed::NameTaken) results[i] = ExistingOutput(jobs[i]);
        if (output.state == audconv::Committed::Failed) results[i] = FailedJob(output.failure, kStatusFail, results[i].inputBytes);
    }
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

JobResult RunJob(const BatchJob& job, const BatchOptions& options, audconv::OutputBatch* outputs) {
    if (!job.conflict.empty()) return FailedJob(job.conflict, kStatusFail);
    try {
        if (!options.force && Exists(job.output)) return ExistingOutput(job);
        std::vector<std::uint8_t> input = audconv::ReadInput(job.input.string());
        const std::optional<DataStandard> from = options.from ? options.from : frontend::DetectDataStandard(input);
        if (!from) return FailedJob(frontend::UndetectedReason(input.size()), CONV_E_INVALIDBLOB, input.size());
        if (!options.from && *from == options.to) {
            return SkippedJob("it is already data standard " + std::to_string(options.to), SkipReason::AlreadyInTarget);
        }
        Blob result;
        const HResult status = ConvertDataBlob(options.to, *from, input, result);
        if (Failed(status)) {
            return FailedJob(frontend::DescribeFailure(status, {*from, options.to, input.size()}), status, input.size());
        }
        const std::vector<frontend::Finding> findings = frontend::ConversionFindings(*from, options.to, input, result);
        if (options.strict && !findings.empty()) return RefusedJob(findings, input.size());
        std::optional<std::size_t> staged;
        if (auto failed = WriteResult(job, options, result, outputs, staged)) return *std::move(failed);
        JobResult converted = Result(Outcome::Converted, {}, kStatusOk, input.size());
        converted.staged = staged;
        for (const frontend::Finding& finding : findings) converted.warnings.push_back(finding.message);
        return converted;
    } catch (const audconv::FileError& error) {
        return FailedJob(error.what(), kStatusFail);
    } catch (const fs::filesystem_error& error) {
        return FailedJob("cannot create the folder " + QuotedName(error.path1()) + ": " + error.code().message(), kStatusFail);
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

    for (const std::string& input : options.inputs) {
        const std::string hint = RecursiveHint(input, options);
        if (!hint.empty() && !quiet) messages << "audconv: " << hint << '\n';
    }

    audconv::OutputBatch outputs;
    std::vector<std::string> lines(jobs.size());
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size() && !stopped; i = next++) {
            results[i] = RunJob(jobs[i], options, &outputs);
            if (results[i].outputUnwritable) {
                // one message for the folder: the jobs still running may fail on it too
                const bool first = !stopped.exchange(true);
                if (first) lines[i] = Message(jobs[i], results[i], options.verbosity) + "; the batch stopped";
            }
            progress.Finished();
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(options.jobs, 1, std::max<std::size_t>(jobs.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t i = 1; i < threads; ++i) workers.emplace_back(work);
    work();
    workers.clear();  // joins
    CommitOutputs(outputs, jobs, results);
    progress.End();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (!results[i].outputUnwritable) lines[i] = Message(jobs[i], results[i], options.verbosity);
        const std::string line = JoinedLines(lines[i], WarningLines(jobs[i], results[i], options.verbosity));
        if (!line.empty()) messages << line << '\n';
    }

    BatchSummary summary;
    for (const JobResult& result : results) {
        switch (result.outcome) {
            case Outcome::Converted:
                ++summary.converted;
                summary.convertedBytes += result.inputBytes;
                break;
            case Outcome::Failed: ++summary.failed; break;
            case Outcome::Skipped:
                ++summary.skipped;
                (result.skip == SkipReason::OutputExists ? summary.outputsExist : summary.alreadyInTarget)++;
                break;
            case Outcome::NotTried: ++summary.notTried; break;
        }
    }
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (quiet) return summary;
    if (summary.skipped > 0) {
        messages << "audconv: " << SkippedLine(summary, options.to)
                 << (options.verbosity == Verbosity::Verbose ? "" : "; --verbose lists them") << '\n';
    }
    messages << "audconv: " << SummaryLine(summary) << '\n';
    return summary;
}

std::string SummaryLine(const BatchSummary& summary) {
    const double megabytes = static_cast<double>(summary.convertedBytes) / 1e6;
    const double rate = summary.seconds > 0 ? megabytes / summary.seconds : 0;
    const std::string notTried = summary.notTried ? ", " + std::to_string(summary.notTried) + " not tried" : "";
    char line[200];
    std::snprintf(line, sizeof line, "%zu converted, %zu failed, %zu skipped%s in %.2f s (%.1f MB/s)",
                  summary.converted, summary.failed, summary.skipped, notTried.c_str(), summary.seconds, rate);
    return line;
}

std::string SkippedLine(const BatchSummary& summary, DataStandard to) {
    if (summary.skipped == 0) return {};
    std::vector<std::string> parts;
    if (summary.outputsExist == 1) parts.push_back("1 output exists (--force replaces it)");
    if (summary.outputsExist > 1) {
        parts.push_back(std::to_string(summary.outputsExist) + " outputs exist (--force replaces them)");
    }
    if (summary.alreadyInTarget > 0) {
        parts.push_back(std::to_string(summary.alreadyInTarget) + " already data standard " + std::to_string(to));
    }
    std::string line = "skipped " + std::to_string(summary.skipped) + (summary.skipped == 1 ? " file: " : " files: ");
    for (std::size_t i = 0; i < parts.size(); ++i) line += (i ? ", " : "") + parts[i];
    return line;
}

std::string RecursiveHint(const fs::path& folder, const BatchOptions& options) {
    std::error_code error;
    if (options.recursive || !fs::is_directory(folder, error)) return {};
    bool subfolders = false;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored) && TakenFromFolder(it->path(), options.from)) return {};
        subfolders = subfolders || it->is_directory(ignored);
    }
    if (!subfolders) return {};
    return QuotedName(folder) + " holds no " + frontend::KnownSuffixes() +
           " file but has subfolders; --recursive converts the files in them";
}

}  // namespace audiogram::tool
