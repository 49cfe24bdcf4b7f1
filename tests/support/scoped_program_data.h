#pragma once
// Test helpers for the configuration: a fresh temporary folder that PROGRAMDATA names
// while the helper lives, and a test environment that keeps the process's configuration
// away from the machine's real one.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "support/configuration.h"

namespace audiogram::testing {

inline std::string ReadFileText(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

inline void WriteFileText(const std::filesystem::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::filesystem::path MakeTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "audconv-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::filesystem::filesystem_error("mkdtemp", {errno, std::generic_category()});
    return pattern;
}

inline void SetEnvironmentVariable(const char* name, const std::optional<std::string>& value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}

// Sets or clears an environment variable for the helper's life, then restores it.
struct ScopedEnvironmentVariable {
    ScopedEnvironmentVariable(const char* name, const std::optional<std::string>& value)
        : variable(name), previous(getenv(name) ? std::optional<std::string>(getenv(name)) : std::nullopt) {
        SetEnvironmentVariable(name, value);
    }
    ~ScopedEnvironmentVariable() { SetEnvironmentVariable(variable, previous); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;
    const char* variable;
    std::optional<std::string> previous;
};

// A fresh PROGRAMDATA folder, with the folders of the configuration file and the log when asked.
struct ScopedProgramData {
    explicit ScopedProgramData(bool createConfigFolders = true)
        : folder(MakeTemporaryFolder()), variable("PROGRAMDATA", folder.string()) {
        if (!createConfigFolders) return;
        std::filesystem::create_directories(IniFile().parent_path());
        std::filesystem::create_directories(LogFile().parent_path());
    }
    ~ScopedProgramData() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    const std::filesystem::path& Folder() const { return folder; }
    std::filesystem::path IniFile() const { return folder / "Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini"; }
    std::filesystem::path LogFile() const { return folder / "Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log"; }
    void WriteIni(std::string_view text) const { WriteFileText(IniFile(), text); }
    std::string ReadIni() const { return ReadFileText(IniFile()); }
    std::string ReadLog() const { return ReadFileText(LogFile()); }

    std::filesystem::path folder;
    ScopedEnvironmentVariable variable;
};

// Registered by test programs that convert through the dispatcher or the component, whose
// text rules come from the process's configuration: it is then made with the defaults,
// logging off and no file written, whatever the machine holds.
struct IsolatedProcessConfiguration : ::testing::Environment {
    void SetUp() override {
        programData.emplace(/*createConfigFolders=*/false);
        ProcessConfiguration().SetReportStream(nullptr);
        ProcessConfiguration().Init();
    }
    void TearDown() override { programData.reset(); }
    std::optional<ScopedProgramData> programData;
};

}  // namespace audiogram::testing
