// The component on eight threads at once, each with its own ConvertAction object as
// apartment-threaded hosts use it: every pair gives the bytes and status the dispatcher
// gives for the same input on one thread. The module's first conversion, which sets its
// configuration up, happens on all threads at once.

#include <string>
#include <vector>

#include "com_test_support.h"
#include "support/conversion_jobs.h"
#include "support/scoped_program_data.h"

namespace audiogram::com::testing {
namespace {

constexpr int kThreads = 8;

HResult ConvertThrough(IConvertAction& converter, DataStandard to, DataStandard from, const Blob& source,
                       Blob& result) {
    OwnedVariant blob(ByteArrayVariant(source));
    OwnedVariant out;
    const HRESULT status = converter.ConvertDataBlob(to, from, blob.value, &out.value);
    if (SUCCEEDED(status)) result = BytesOf(out.value);
    return status;
}

TEST(ComponentConcurrency, ObjectsOnEightThreadsGiveWhatTheDispatcherGivesOnOne) {
    const audiogram::testing::ScopedProgramData programData;
    SetValidCharReportStream(nullptr);
    const std::vector<audiogram::testing::ConversionJob> jobs = audiogram::testing::ConversionJobs();
    std::vector<std::vector<audiogram::testing::JobOutcome>> outcomes(
        kThreads, std::vector<audiogram::testing::JobOutcome>(jobs.size()));

    audiogram::testing::OnThreadsAtOnce(kThreads, [&](int thread) {
        ComPtr<IConvertAction> converter = CreateConverter();
        const audiogram::testing::ConvertFunction convert = [&](DataStandard to, DataStandard from,
                                                                Blob& source, Blob& result) {
            return ConvertThrough(*converter, to, from, source, result);
        };
        for (std::size_t k = 0; k < jobs.size(); ++k) {
            const std::size_t job = (1 + static_cast<std::size_t>(thread) * 3 + k) % jobs.size();
            outcomes[static_cast<std::size_t>(thread)][job] = audiogram::testing::RunJob(jobs[job], convert);
        }
    });

    const audiogram::testing::ConvertFunction dispatcher = [](DataStandard to, DataStandard from,
                                                              Blob& source, Blob& result) {
        return ConvertDataBlob(to, from, source, result);
    };
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const audiogram::testing::JobOutcome alone = audiogram::testing::RunJob(jobs[job], dispatcher);
        for (std::size_t thread = 0; thread < outcomes.size(); ++thread) {
            EXPECT_TRUE(outcomes[thread][job] == alone) << jobs[job].name << " on thread " << thread;
        }
    }
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_OK) << "a reference to the component was left";
}

}  // namespace
}  // namespace audiogram::com::testing
