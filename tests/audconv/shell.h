#pragma once
// Runs a shell command line and captures its exit code, standard output and standard error.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace audiogram::test {

struct ShellResult {
    int exitCode;
    std::string out;
    std::string err;
};

inline ShellResult RunShell(const std::string& command, const std::filesystem::path& scratch) {
    const auto out = scratch / "shell.out", err = scratch / "shell.err";
    const int status = std::system((command + " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null").c_str());
    const auto read = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(out), read(err)};
}

// The text quoted for the shell.
inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace audiogram::test
