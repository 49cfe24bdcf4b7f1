#pragma once
// Test helpers for the configuration: a fresh temporary folder that PROGRAMDATA names
// while the helper lives, and a test environment that keeps the process's configuration
// away from the machine's real one.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "support/configuration.h"

namespace audiogram::testing {

inline std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteFileText(const std::filesystem::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::filesystem::path MakeTemporaryFolder() {
    std::mt19937_64 random(std::random_device{}());
    for (;;) {
        const auto folder =
            std::filesystem::temp_directory_path() / ("audconv-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) return folder;
    }
}

// Sets or clears an environment variable for the helper's life, then restores it.
class ScopedEnvironmentVariable {
  public:
    ScopedEnvironmentVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        Set(value);
    }
    ~ScopedEnvironmentVariable() { Set(previous_); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

  private:
    void Set(const std::optional<std::string>& value) {
        value ? setenv(name_, value->c_str(), 1) : unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> previous_;
};

// A fresh PROGRAMDATA folder, with the folders of the configuration file and the log when asked.
class ScopedProgramData {
  public:
    explicit ScopedProgramData(bool createConfigFolders = true, std::string_view suffix = "")
        : folder_(MakeTemporaryFolder()), variable_("PROGRAMDATA", folder_.string() + std::string(suffix)) {
        if (!createConfigFolders) return;
        std::filesystem::create_directories(IniFile().parent_path());
        std::filesystem::create_directories(LogFile().parent_path());
    }
    ~ScopedProgramData() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path IniFile() const {
        return folder_ / "Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini";
    }
    std::filesystem::path LogFile() const { return folder_ / "Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log"; }
    void WriteIni(std::string_view text) const { WriteFileText(IniFile(), text); }
    std::string ReadIni() const { return ReadFileText(IniFile()); }
    std::string ReadLog() const { return ReadFileText(LogFile()); }

  private:
    std::filesystem::path folder_;
    ScopedEnvironmentVariable variable_;
};

// Register in a test program that converts through the dispatcher or the component, whose
// text rules come from the process's configuration, so that its results do not depend on
// the machine:
//   static auto* const kIsolated = ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);
// The configuration is then made with the default values, logging off, and no file is
// written; the token lines of Init are silenced.
class IsolatedProcessConfiguration : public ::testing::Environment {
  public:
    void SetUp() override {
        programData_.emplace(/*createConfigFolders=*/false);
        ProcessConfiguration().SetReportStream(nullptr);
        ProcessConfiguration().Init();
    }
    void TearDown() override { programData_.reset(); }

  private:
    std::optional<ScopedProgramData> programData_;
};

}  // namespace audiogram::testing
