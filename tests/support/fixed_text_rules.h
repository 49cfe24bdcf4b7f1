#pragma once
// Text rules a test fixes itself: a legal-character list of its own (the default list
// unless given) and, with logging on, the log lines kept in memory. No configuration file
// is read or written and nothing is reported.

#include <string>
#include <string_view>
#include <vector>

#include "support/valid_characters.h"
#include "xml/text_rules.h"

namespace audiogram::testing {

class FixedTextRules final : public TextRules {
  public:
    explicit FixedTextRules(std::string_view legalCharacters = kDefaultValidCharacters,
                            bool logEnabled = false)
        : legal_(ParseValidCharacters(legalCharacters, nullptr)), logEnabled_(logEnabled) {}

    const ValidCharTable& LegalCharacters() override { return legal_; }
    bool LogEnabled() override { return logEnabled_; }
    void Log(std::u16string_view message) override { logged.emplace_back(message); }

    std::vector<std::u16string> logged;

  private:
    ValidCharTable legal_;
    bool logEnabled_;
};

}  // namespace audiogram::testing
