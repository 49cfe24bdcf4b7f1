#include "xml/text_legality.h"

#include <algorithm>
#include <array>

#include "xml/text_rules.h"

namespace audiogram {
namespace {

// The name in log lines went through a 200-byte UTF-16 buffer: 99 characters at most.
constexpr std::size_t kLoggedNameUnits = 100;
// The widest substitution is "[FFFF]"; an entity is at most "&quot;".
constexpr std::size_t kWorstCaseUnitsPerCharacter = 6;

void AppendHexSubstitute(std::u16string& out, char16_t c) {
    constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    out += u'[';
    bool leading = true;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const auto digit = static_cast<std::size_t>((c >> shift) & 0xF);
        if (leading && digit == 0 && shift != 0) continue;
        leading = false;
        out += kDigits[digit];
    }
    out += u']';
}

// Converts the element name for the log lines only once per text, and only when a line
// is written.
class LoggedElementName {
  public:
    explicit LoggedElementName(std::string_view name) : name_(name) {}

    std::u16string_view Get() {
        if (!converted_) {
            wide_ = Utf8ToWideInto(buffer_, name_);
            converted_ = true;
        }
        return wide_;
    }

  private:
    std::string_view name_;
    std::array<char16_t, kLoggedNameUnits> buffer_{};
    std::u16string_view wide_;
    bool converted_ = false;
};

}  // namespace

std::u16string_view EscapeFor(char16_t c) {
    switch (c) {
        case u'"':
            return u"&quot;";
        case u'&':
            return u"&amp;";
        case u'<':
            return u"&lt;";
        case u'>':
            return u"&gt;";
        default:
            return {};
    }
}

std::optional<std::u16string> GetLegalXMLString(TextRules& rules, std::string_view elementName,
                                                std::optional<std::u16string_view> text, bool& changed,
                                                bool hexSubstitute) {
    changed = false;
    // Asked before a null text returns: an export's first text, null or not, sets up the
    // configuration behind the rules.
    const ValidCharTable& table = rules.LegalCharacters();
    if (!text) return std::nullopt;

    std::size_t extra = 0;
    for (char16_t c : *text) extra += EscapeFor(c).size();
    std::u16string legal;
    legal.reserve((extra + text->size()) * (hexSubstitute ? kWorstCaseUnitsPerCharacter : 1));
    if (text->empty()) return legal;

    const bool logging = rules.LogEnabled();
    LoggedElementName name(elementName);
    for (char16_t c : *text) {
        if (!table.IsLegal(c)) {
            if (hexSubstitute) AppendHexSubstitute(legal, c);
            changed = true;
            if (logging) {
                rules.LogW(u"GetLegalXMLString: Data for Element %s contains illegal character, value 0x%x",
                           name.Get(), static_cast<unsigned>(c));
            }
            continue;
        }
        const std::u16string_view entity = extra != 0 ? EscapeFor(c) : std::u16string_view();
        if (entity.empty()) {
            legal += c;
            continue;
        }
        legal += entity;
        if (logging) {
            rules.LogW(u"GetLegalXMLString: Data for Element %s contains %c which is escaped with %s",
                       name.Get(), c, entity);
        }
    }
    return legal;
}

// One pass over the text with a read and a write position: each match is replaced by c
// and the search goes on after the replaced unit, which is where the spliced text of a
// replace-and-move loop would resume, without moving the rest once per match.
void ReplaceAll(TextRules& rules, std::u16string& text, std::u16string_view entity, char16_t c) {
    if (entity.empty()) return;
    std::size_t match = text.find(entity);
    if (match == std::u16string::npos) return;

    const bool logging = rules.LogEnabled();
    std::size_t write = match;
    std::size_t read = match;
    while (match != std::u16string::npos) {
        std::copy(text.begin() + static_cast<std::ptrdiff_t>(read),
                  text.begin() + static_cast<std::ptrdiff_t>(match),
                  text.begin() + static_cast<std::ptrdiff_t>(write));
        write += match - read;
        if (logging) {
            std::u16string before = text.substr(0, write);
            before.append(text, match);
            rules.LogW(u"ReplaceEscapeSequence: Replace %s with %c in %s", entity, c, before);
        }
        text[write++] = c;
        read = match + entity.size();
        match = text.find(entity, read);
    }
    std::copy(text.begin() + static_cast<std::ptrdiff_t>(read), text.end(),
              text.begin() + static_cast<std::ptrdiff_t>(write));
    text.resize(write + (text.size() - read));
}

void ReplaceEscapeSequence(TextRules& rules, std::u16string& text) {
    if (text.find(u'&') == std::u16string::npos) return;  // every entity begins with '&'
    ReplaceAll(rules, text, u"&quot;", u'"');
    ReplaceAll(rules, text, u"&amp;", u'&');
    ReplaceAll(rules, text, u"&lt;", u'<');
    ReplaceAll(rules, text, u"&gt;", u'>');
}

}  // namespace audiogram
