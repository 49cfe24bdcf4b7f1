#pragma once
// What the text rules and the writer take from their caller: which characters are legal,
// whether to log, and the log itself. The caller decides where they come from; a rule
// asks for each only at the moment it needs it, so settings that are read on first use
// (the process's configuration file) are read on the same call whoever the caller is.

#include <string>
#include <string_view>

#include "support/message_format.h"
#include "support/valid_characters.h"

namespace audiogram {

class TextRules {
  public:
    virtual const ValidCharTable& LegalCharacters() = 0;
    virtual bool LogEnabled() = 0;
    // One log line; the rules call it only while LogEnabled() holds.
    virtual void Log(std::u16string_view message) = 0;

    template <typename... Args>
    void LogW(std::u16string_view format, const Args&... args) {
        Log(FormatText(format, args...));
    }

  protected:
    ~TextRules() = default;
};

}  // namespace audiogram
