#pragma once
// The configuration file and the diagnostic log. The configuration is read once: the
// first use runs Init, which finds (or creates) the file, reads the log switch and the
// legal-character list, and writes the log's header lines.
//
// The process has one configuration, ProcessConfiguration(), used by the free functions
// below; the dispatcher hands it to the text rules of every conversion, which set it up on
// the first text that needs it. Other Configuration objects serve tests and tools that
// need a configuration of their own: each runs its own Init against the folder its lookup
// gives.

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "support/message_format.h"
#include "support/valid_characters.h"

namespace audiogram {

// LogW formats into this many UTF-16 units (a 2048-unit buffer less its terminator).
inline constexpr std::size_t kLogWMessageUnits = 2047;

class Configuration {
  public:
    using FolderLookup = std::function<std::optional<std::string>()>;

    // The lookup gives the common application-data folder; the platform's by default.
    explicit Configuration(FolderLookup folderLookup = {});
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    // The one-time set-up. Safe when the first calls come from several threads at once:
    // one runs it, the others wait for it.
    void Init();

    // Where Init writes the "token ..." line of every legal-character entry: standard
    // output unless set otherwise, nowhere when null. Takes effect when set before Init.
    void SetReportStream(std::ostream* stream) { reportStream_.store(stream); }

    // Empty when the folder lookup failed or gave a folder too long for a path.
    const std::string& GetPathToIniFile();
    const std::string& GetLogFilePath();
    bool LogEnabledFlag();
    const ValidCharTable& LegalCharacters();

    // Appends one time-stamped line; the message is formatted only when logging is on.
    template <typename... Args>
    void Log(std::string_view format, const Args&... args) {
        if (!LogEnabledFlag()) return;
        WriteLogLine(FormatText(format, args...));
    }

    // The same for a UTF-16 message: formatted into kLogWMessageUnits units at most, then
    // reduced to ASCII with '?' for every other character.
    template <typename... Args>
    void LogW(std::u16string_view format, const Args&... args) {
        if (!LogEnabledFlag()) return;
        WriteLogLine(ReduceToAscii(FormatTextCut(kLogWMessageUnits, format, args...)));
    }

    // Units below 0x80 are kept, every other character (a surrogate pair being one
    // character) becomes one '?'.
    static std::string ReduceToAscii(std::u16string_view text);

  private:
    void RunInit();
    void WriteLogLine(std::string_view message) const;
    std::string ReadSetting(std::string_view key, std::string_view defaultValue) const;

    FolderLookup folderLookup_;
    std::atomic<std::ostream*> reportStream_;
    std::once_flag initOnce_;
    std::string iniPath_;
    std::string logPath_;
    bool logEnabled_ = false;
    ValidCharTable legalCharacters_;
};

// The process's configuration, made on first use and kept until the process ends.
Configuration& ProcessConfiguration();

inline void Init() {
    ProcessConfiguration().Init();
}
inline const std::string& GetPathToIniFile() {
    return ProcessConfiguration().GetPathToIniFile();
}
inline const std::string& GetLogFilePath() {
    return ProcessConfiguration().GetLogFilePath();
}

// Where the process's configuration reports its legal-character list (the "token ..."
// lines): standard output unless set otherwise, as the component has always done; nowhere
// when null. The list is read once, by the first conversion that needs a text rule, so a
// front end that keeps standard output for its results sets this before any conversion
// (e.g. &std::cerr, or null unless asked to be verbose); a later call changes nothing.
inline void SetValidCharReportStream(std::ostream* stream) {
    ProcessConfiguration().SetReportStream(stream);
}

template <typename... Args>
void Log(std::string_view format, const Args&... args) {
    ProcessConfiguration().Log(format, args...);
}

template <typename... Args>
void LogW(std::u16string_view format, const Args&... args) {
    ProcessConfiguration().LogW(format, args...);
}

}  // namespace audiogram
