// A batch's outputs: none under its name before the commit, all in place after it (but an
// output that must keep what took its name meanwhile), and no temporary file left whether the
// batch commits, fails to or ends without committing.

#include "output_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output_file.h"
#include "tool_harness.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// What takes an output's name after the tool found it free.
enum class Taker { Nobody, Folder, File, DanglingLink, RemovedTemporary };

struct BatchCase {
    const char* name;
    bool commit;
    audconv::Existing second;  // how the second output was staged
    Taker taker;
    std::vector<std::string> expectedFiles;
    std::vector<audconv::Committed::State> states;  // by place, after the commit
};

using enum audconv::Committed::State;
const BatchCase kCases[] = {
    {"CommitPutsEveryOutputInPlace", true, audconv::Existing::Keep, Taker::Nobody, {"a.xml", "b.xml", "sub/c.xml"},
     {InPlace, InPlace, InPlace}},
    {"AFailedRenameFailsOnlyItsOutput", true, audconv::Existing::Replace, Taker::Folder, {"a.xml", "sub/c.xml"},
     {InPlace, Failed, InPlace}},
    {"AKeptNameTakenMeanwhileKeepsTheOtherFile", true, audconv::Existing::Keep, Taker::File,
     {"a.xml", "b.xml", "sub/c.xml"}, {InPlace, NameTaken, InPlace}},
    {"ALostTemporaryFileFailsAKeptOutput", true, audconv::Existing::Keep, Taker::RemovedTemporary,
     {"a.xml", "sub/c.xml"}, {InPlace, Failed, InPlace}},
    {"NoCommitLeavesNothing", false, audconv::Existing::Replace, Taker::Nobody, {}, {}},
};

TEST(OutputBatch, OutputsAppearOnlyWithTheCommit) {
    for (const BatchCase& test : kCases) {
        test::TempFolder folder;
        const fs::path out = folder.Path() / "out";
        fs::create_directories(out / "sub");
        const std::vector<fs::path> names = {out / "a.xml", out / "b.xml", out / "sub/c.xml"};
        std::vector<audconv::Committed> committed;
        {
            audconv::OutputBatch batch;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const auto existing = i == 1 ? test.second : audconv::Existing::Replace;
                EXPECT_EQ(batch.Stage(names[i], Bytes(i + 1, 'x'), existing), i) << test.name;
            }
            EXPECT_EQ(test::TempFolder::Files(out).size(), names.size()) << test.name << ": temporary files";
            for (const fs::path& name : names) EXPECT_FALSE(fs::exists(name)) << test.name;
            if (test.taker == Taker::Folder) fs::create_directories(names[1] / "taken");
            if (test.taker == Taker::File) testing::WriteFileText(names[1], "theirs");
            if (test.taker == Taker::RemovedTemporary) {
                for (const auto& entry : fs::directory_iterator(out)) {
                    if (entry.path().filename().string().starts_with(".b.xml.")) fs::remove(entry.path());
                }
            }
            if (test.commit) committed = batch.Commit();
        }
        EXPECT_EQ(test::TempFolder::Files(out), test.expectedFiles) << test.name;
        ASSERT_EQ(committed.size(), test.states.size()) << test.name;
        for (std::size_t i = 0; i < committed.size(); ++i) {
            EXPECT_EQ(committed[i].state, test.states[i]) << test.name << " " << i << ": " << committed[i].failure;
            EXPECT_EQ(committed[i].failure.empty(), test.states[i] != Failed) << test.name;
            const std::string expected = test.states[i] == NameTaken ? "theirs" : std::string(i + 1, 'x');
            if (test.states[i] != Failed) {
                EXPECT_EQ(testing::ReadFileText(names[i]), expected) << test.name;
            }
        }
    }
}

// A name found free is taken only while it is still free: whatever stands there by then, a
// file or a link to nothing, stays as it is, and the link is not followed.
TEST(OutputFile, KeepingAnExistingFileLeavesWhatTookTheName) {
    for (const Taker taker : {Taker::Nobody, Taker::File, Taker::DanglingLink}) {
        test::TempFolder folder;
        const fs::path name = folder.Path() / "out";
        if (taker == Taker::File) testing::WriteFileText(name, "theirs");
        if (taker == Taker::DanglingLink) fs::create_symlink("made", name);
        const fs::file_type before = fs::symlink_status(name).type();
        if (taker == Taker::Nobody) {
            audconv::WriteOutputFile(name, Bytes(3, 'x'), audconv::Existing::Keep);
            EXPECT_EQ(testing::ReadFileText(name), "xxx");
        } else {
            EXPECT_THROW(audconv::WriteOutputFile(name, Bytes(3, 'x'), audconv::Existing::Keep), audconv::NameTaken);
            EXPECT_EQ(fs::symlink_status(name).type(), before);
            EXPECT_FALSE(fs::exists(folder.Path() / "made"));
        }
        EXPECT_EQ(test::TempFolder::Files(folder.Path()).size(), taker == Taker::DanglingLink ? 0u : 1u) << "temporary files";
    }
}

}  // namespace
}  // namespace audiogram
