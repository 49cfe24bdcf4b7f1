// A batch's outputs: none under its name before the commit, all in place after it, and no
// temporary file left whether the batch commits, fails to or ends without committing.

#include "output_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tool_harness.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct BatchCase {
    const char* name;
    bool commit;
    bool blockSecond;  // a folder takes the second output's name before the commit
    std::vector<std::string> expectedFiles;
    std::vector<bool> failed;  // by place, after the commit
};

const BatchCase kCases[] = {
    {"CommitPutsEveryOutputInPlace", true, false, {"a.xml", "b.xml", "sub/c.xml"}, {false, false, false}},
    {"AFailedRenameFailsOnlyItsOutput", true, true, {"a.xml", "sub/c.xml"}, {false, true, false}},
    {"NoCommitLeavesNothing", false, false, {}, {}},
};

TEST(OutputBatch, OutputsAppearOnlyWithTheCommit) {
    for (const BatchCase& test : kCases) {
        test::TempFolder folder;
        const fs::path out = folder.Path() / "out";
        fs::create_directories(out / "sub");
        const std::vector<fs::path> names = {out / "a.xml", out / "b.xml", out / "sub/c.xml"};
        std::vector<std::string> failures;
        {
            audconv::OutputBatch batch;
            for (std::size_t i = 0; i < names.size(); ++i) {
                EXPECT_EQ(batch.Stage(names[i], Bytes(i + 1, 'x')), i) << test.name;
            }
            EXPECT_EQ(test::TempFolder::Files(out).size(), names.size()) << test.name << ": temporary files";
            for (const fs::path& name : names) EXPECT_FALSE(fs::exists(name)) << test.name;
            if (test.blockSecond) fs::create_directories(names[1] / "taken");
            if (test.commit) failures = batch.Commit();
        }
        EXPECT_EQ(test::TempFolder::Files(out), test.expectedFiles) << test.name;
        ASSERT_EQ(failures.size(), test.failed.size()) << test.name;
        for (std::size_t i = 0; i < failures.size(); ++i) {
            EXPECT_EQ(failures[i].empty(), !test.failed[i]) << test.name << " " << i << ": " << failures[i];
            if (!test.failed[i]) {
                EXPECT_EQ(fs::file_size(names[i]), i + 1) << test.name;
            }
        }
    }
}

}  // namespace
}  // namespace audiogram
