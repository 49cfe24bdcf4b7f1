// The minimal well-formedness walk of fuzz_properties.h: enough of XML 1.0 to catch a
// writer that leaves a tag open, escapes too little or writes a character XML forbids.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_properties.h"

namespace audiogram::fuzz {
namespace {

bool IsXmlChar(char32_t code) {
    if (code < 0x20) return code == 0x09 || code == 0x0A || code == 0x0D;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    return code != 0xFFFE && code != 0xFFFF && code <= 0x10FFFF;
}

// Decodes the whole text as UTF-8 (shortest forms only) and checks every character.
std::string CharacterProblem(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0x80) {
            if (lead >= 0xF0 && lead <= 0xF4) {
                length = 4;
                code = lead & 0x07u;
            } else if (lead >= 0xE0) {
                length = 3;
                code = lead & 0x0Fu;
            } else if (lead >= 0xC2 && lead <= 0xDF) {
                length = 2;
                code = lead & 0x1Fu;
            } else {
                return "a byte that begins no UTF-8 sequence at " + std::to_string(i);
            }
            if (i + length > text.size()) return "a UTF-8 sequence cut at the end";
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) return "a broken UTF-8 sequence at " + std::to_string(i);
                code = (code << 6) | (next & 0x3Fu);
            }
            const char32_t shortest = length == 3 ? 0x800 : 0x10000;
            if (length > 2 && code < shortest) return "an overlong UTF-8 sequence at " + std::to_string(i);
        }
        if (!IsXmlChar(code)) return "a character XML forbids at " + std::to_string(i);
        i += length;
    }
    return {};
}

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Walk {
public:
    explicit Walk(std::string_view document) : text_(document) {}

    std::string Run() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        while (at_ < text_.size()) {
            std::string problem = text_[at_] == '<' ? Markup() : CharacterData();
            if (!problem.empty()) return problem + " (at byte " + std::to_string(at_) + ")";
        }
        if (!rootSeen_) return "no root element";
        if (!open_.empty()) return "element " + std::string(open_.back()) + " is never closed";
        return {};
    }

private:
    std::string Markup() {
        const std::string_view rest = text_.substr(at_);
        if (rest.substr(0, 2) == "<?") return SkipPast("?>", "an unterminated processing instruction");
        if (rest.substr(0, 4) == "<!--") return Comment();
        if (rest.substr(0, 2) == "<!") return "a declaration or CDATA section, which the documents never hold";
        if (rest.substr(0, 2) == "</") return EndTag();
        return StartTag();
    }

    std::string SkipPast(std::string_view end, const char* problem) {
        const std::size_t found = text_.find(end, at_ + 2);
        if (found == std::string_view::npos) return problem;
        at_ = found + end.size();
        return {};
    }

    std::string Comment() {
        const std::size_t end = text_.find("--", at_ + 4);
        if (end == std::string_view::npos) return "an unterminated comment";
        if (end + 2 >= text_.size() || text_[end + 2] != '>') return "\"--\" inside a comment";
        at_ = end + 3;
        return {};
    }

    std::string_view Name() {
        const std::size_t start = at_;
        if (at_ < text_.size() && IsNameStart(text_[at_])) {
            while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
        }
        return text_.substr(start, at_ - start);
    }

    void SkipBlanks() {
        while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
    }

    std::string StartTag() {
        ++at_;
        const std::string_view name = Name();
        if (name.empty()) return "a '<' that begins no tag";
        if (rootSeen_ && open_.empty()) return "a second root element " + std::string(name);
        for (;;) {
            const std::size_t before = at_;
            SkipBlanks();
            if (at_ >= text_.size()) return "an unterminated start tag";
            if (text_.substr(at_, 2) == "/>") {
                at_ += 2;
                rootSeen_ = true;
                return {};
            }
            if (text_[at_] == '>') {
                ++at_;
                rootSeen_ = true;
                open_.push_back(name);
                return {};
            }
            if (at_ == before) return "an attribute without a blank before it";
            if (std::string problem = Attribute(); !problem.empty()) return problem;
        }
    }

    std::string Attribute() {
        if (Name().empty()) return "an attribute without a name";
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != '=') return "an attribute without '='";
        ++at_;
        SkipBlanks();
        if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return "an unquoted attribute value";
        const char quote = text_[at_++];
        const std::size_t end = text_.find(quote, at_);
        if (end == std::string_view::npos) return "an unterminated attribute value";
        std::string problem = TextProblem(text_.substr(at_, end - at_));
        at_ = end + 1;
        return problem;
    }

    std::string EndTag() {
        at_ += 2;
        const std::string_view name = Name();
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != '>') return "an unterminated end tag";
        ++at_;
        if (open_.empty()) return "end tag " + std::string(name) + " without a start tag";
        if (open_.back() != name) return "end tag " + std::string(name) + " closes " + std::string(open_.back());
        open_.pop_back();
        return {};
    }

    std::string CharacterData() {
        const std::size_t end = std::min(text_.find('<', at_), text_.size());
        const std::string_view data = text_.substr(at_, end - at_);
        at_ = end;
        if (open_.empty()) {
            for (const char c : data) {
                if (!IsBlank(c)) return "text outside the root element";
            }
            return {};
        }
        if (data.find("]]>") != std::string_view::npos) return "\"]]>\" in text";
        return TextProblem(data);
    }

    // Text and attribute values: every '&' begins an entity or a character reference.
    static std::string TextProblem(std::string_view data) {
        if (data.find('<') != std::string_view::npos) return "a raw '<' in a value";
        for (std::size_t amp = data.find('&'); amp != std::string_view::npos; amp = data.find('&', amp + 1)) {
            const std::size_t semicolon = data.find(';', amp);
            if (semicolon == std::string_view::npos) return "a raw '&' in text";
            const std::string_view reference = data.substr(amp + 1, semicolon - amp - 1);
            if (reference == "lt" || reference == "gt" || reference == "amp" || reference == "quot" ||
                reference == "apos") {
                continue;
            }
            if (!CharacterReferenceIsValid(reference)) return "a raw '&' in text";
        }
        return {};
    }

    static bool CharacterReferenceIsValid(std::string_view reference) {
        if (reference.size() < 2 || reference[0] != '#') return false;
        const bool hex = reference[1] == 'x';
        const std::string_view digits = reference.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) return false;
        std::uint32_t code = 0;
        for (const char c : digits) {
            std::uint32_t digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<std::uint32_t>(c - '0');
            } else if (hex && c >= 'a' && c <= 'f') {
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (hex && c >= 'A' && c <= 'F') {
                digit = static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return false;
            }
            code = code * (hex ? 16u : 10u) + digit;
        }
        return IsXmlChar(code);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::vector<std::string_view> open_;
    bool rootSeen_ = false;
};

}  // namespace

std::string WellFormednessProblem(std::string_view document) {
    if (std::string problem = CharacterProblem(document); !problem.empty()) return problem;
    return Walk(document).Run();
}

}  // namespace audiogram::fuzz
