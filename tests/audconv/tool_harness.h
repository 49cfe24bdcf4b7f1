#pragma once
// What the tool's tests share: a fresh temporary folder, and shell runs of the built tool
// with their exit code, standard output and standard error.

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/scoped_program_data.h"

namespace audiogram::test {

// The text quoted for the shell.
inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct ShellResult {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs a shell command line with standard input from /dev/null; its output is kept in `scratch`.
inline ShellResult RunShell(const std::string& command, const std::filesystem::path& scratch) {
    const std::string out = (scratch / "shell.out").string(), err = (scratch / "shell.err").string();
    const int status = std::system(("{ " + command + "; } </dev/null >" + Quote(out) + " 2>" + Quote(err)).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadFileText(out), testing::ReadFileText(err)};
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() : path_(testing::MakeTemporaryFolder()) {}
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Every regular file below `under`, as paths relative to it, sorted.
    static std::vector<std::string> Files(const std::filesystem::path& under) {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(under)) {
            if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(under).generic_string());
        }
        std::sort(files.begin(), files.end());
        return files;
    }

private:
    std::filesystem::path path_;
};

}  // namespace audiogram::test
