#include "support/configuration.h"

#include <chrono>
#include <cstdio>
#include <iostream>

#include "support/app_data_folder.h"
#include "support/config_paths.h"
#include "support/leading_integer.h"
#include "support/private_profile.h"
#include "support/utc_timestamp.h"

namespace audiogram {
namespace {

constexpr std::string_view kMainSection = "MainSection";
constexpr std::string_view kValidCharactersKey = "ValidCharacters";
constexpr std::string_view kLogEnabledKey = "LogEnabled";
constexpr std::string_view kLogDisabled = "0";
constexpr std::size_t kSeparatorLength = 98;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

Configuration::Configuration(FolderLookup folderLookup)
    : folderLookup_(folderLookup ? std::move(folderLookup) : FolderLookup(CommonAppDataFolder)),
      reportStream_(&std::cout) {}

void Configuration::Init() {
    std::call_once(initOnce_, [this] { RunInit(); });
}

const std::string& Configuration::GetPathToIniFile() {
    Init();
    return iniPath_;
}

const std::string& Configuration::GetLogFilePath() {
    Init();
    return logPath_;
}

bool Configuration::LogEnabledFlag() {
    Init();
    return logEnabled_;
}

const ValidCharTable& Configuration::LegalCharacters() {
    Init();
    return legalCharacters_;
}

// Reads and writes without a path are skipped: an empty file name would mean something
// of the platform's own choosing.
std::string Configuration::ReadSetting(std::string_view key, std::string_view defaultValue) const {
    if (iniPath_.empty()) return std::string(defaultValue);
    return ReadProfileValue(iniPath_, kMainSection, key, defaultValue);
}

void Configuration::RunInit() {
    if (const std::optional<std::string> folder = folderLookup_()) {
        ConfigPaths paths = ComposeConfigPaths(*folder, PathSeparator());
        iniPath_ = std::move(paths.iniFile);
        logPath_ = std::move(paths.logFile);
    }

    if (!iniPath_.empty() && !ProfileFileExists(iniPath_)) {
        WriteProfileValue(iniPath_, kMainSection, kValidCharactersKey, kDefaultValidCharacters);
        WriteProfileValue(iniPath_, kMainSection, kLogEnabledKey, kLogDisabled);
    }

    logEnabled_ = LeadingInteger(ReadSetting(kLogEnabledKey, kLogDisabled)) != 0;
    // Init logs straight to the file: going through Log would wait for this very Init.
    if (logEnabled_) {
        WriteLogLine(std::string(kSeparatorLength, '-'));
        WriteLogLine(FormatText("Init: GetPathToIniFile %s", iniPath_));
        WriteLogLine(FormatText("Init: GetLogFilePath %s", logPath_));
    }

    legalCharacters_ =
        ParseValidCharacters(ReadSetting(kValidCharactersKey, kDefaultValidCharacters), reportStream_.load());
}

// The file is opened and closed for every line, so lines of several processes interleave
// whole and nothing is lost when a process ends abruptly.
void Configuration::WriteLogLine(std::string_view message) const {
    if (logPath_.empty()) return;
    std::FILE* file = std::fopen(logPath_.c_str(), "a");
    if (file == nullptr) return;
    std::string line = FormatUtcTimestamp(std::chrono::system_clock::now());
    line += ' ';
    line += message;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

std::string Configuration::ReduceToAscii(std::u16string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            ascii += static_cast<char>(unit);
            continue;
        }
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        ascii += '?';
    }
    return ascii;
}

Configuration& ProcessConfiguration() {
    // Never destroyed: conversions running while the process ends may still log.
    static Configuration& configuration = *new Configuration();
    return configuration;
}

}  // namespace audiogram
