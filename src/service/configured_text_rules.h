#pragma once
// The text rules of a configuration: each setting is taken from it when a rule first needs
// one, so the configuration file is found (or created) and read, and its report and log
// lines appear, on the very call that needs it, and never for a conversion without text.

#include <string_view>

#include "support/configuration.h"
#include "xml/text_rules.h"

namespace audiogram {

class ConfiguredTextRules final : public TextRules {
  public:
    explicit ConfiguredTextRules(Configuration& configuration) : configuration_(configuration) {}

    const ValidCharTable& LegalCharacters() override { return configuration_.LegalCharacters(); }
    bool LogEnabled() override { return configuration_.LogEnabledFlag(); }
    // Cut to the log's width and reduced to ASCII there.
    void Log(std::u16string_view message) override { configuration_.LogW(u"%s", message); }

  private:
    Configuration& configuration_;
};

}  // namespace audiogram
