#include "support/ini_text.h"

#include <algorithm>
#include <cstddef>

namespace audiogram {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// One line of the file: [begin, end) holds its text without the line end, next is where
// the following line begins.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(Line& line) {
        if (position_ >= text_.size()) return false;
        const std::size_t newline = text_.find('\n', position_);
        line.begin = position_;
        line.end = newline == std::string_view::npos ? text_.size() : newline;
        line.next = newline == std::string_view::npos ? text_.size() : newline + 1;
        position_ = line.next;
        return true;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

struct ParsedLine {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name;   // section or key name
    std::string_view value;  // key lines only
};

ParsedLine Parse(std::string_view content) {
    const std::string_view trimmed = Trim(content);
    if (!trimmed.empty() && trimmed.front() == '[') {
        const std::string_view inner = trimmed.substr(1);
        return {ParsedLine::Kind::Section, Trim(inner.substr(0, inner.find(']'))), {}};
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return {};
    return {ParsedLine::Kind::Key, Trim(trimmed.substr(0, equals)),
            Unquote(Trim(trimmed.substr(equals + 1)))};
}

// Where a section's lines lie and where its key is, found in one walk over the text.
struct KeyLocation {
    bool sectionFound = false;
    std::optional<Line> keyLine;
    std::size_t insertAt = 0;  // after the section's last non-blank line
    bool insertNeedsLineEnd = false;
    std::string_view value;
};

KeyLocation Locate(std::string_view text, std::string_view section, std::string_view key) {
    KeyLocation location;
    LineCursor cursor(text);
    Line line;
    bool inSection = false;
    while (cursor.Next(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = Parse(content);
        if (parsed.kind == ParsedLine::Kind::Section) {
            if (inSection) break;  // only the first section of the name counts
            inSection = EqualsIgnoringCase(parsed.name, section);
            location.sectionFound = inSection;
        } else if (!inSection) {
            continue;
        } else if (parsed.kind == ParsedLine::Kind::Key && EqualsIgnoringCase(parsed.name, key)) {
            location.keyLine = line;
            location.value = parsed.value;
            return location;
        }
        if (inSection && !Trim(content).empty()) {
            location.insertAt = line.next;
            location.insertNeedsLineEnd = line.next == line.end;
        }
    }
    return location;
}

std::string_view LineEndOf(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key) {
    const KeyLocation location = Locate(fileText, section, key);
    if (!location.keyLine) return std::nullopt;
    return std::string(location.value);
}

std::string SetProfileValue(std::string_view fileText, std::string_view section, std::string_view key,
                            std::string_view value) {
    const KeyLocation location = Locate(fileText, section, key);
    const std::string_view lineEnd = LineEndOf(fileText);
    std::string result(fileText);
    if (location.keyLine) {
        // keep a CR of the old line so the file's line ends stay as they were
        std::size_t end = location.keyLine->end;
        if (end > location.keyLine->begin && fileText[end - 1] == '\r') --end;
        result.replace(location.keyLine->begin, end - location.keyLine->begin, KeyLine(key, value));
    } else if (location.sectionFound) {
        std::string insertion = location.insertNeedsLineEnd ? std::string(lineEnd) : std::string();
        insertion += KeyLine(key, value);
        if (!location.insertNeedsLineEnd) insertion += lineEnd;
        result.insert(location.insertAt, insertion);
    } else {
        if (!result.empty() && result.back() != '\n') result += lineEnd;
        result += '[';
        result += section;
        result += ']';
        result += lineEnd;
        result += KeyLine(key, value);
        result += lineEnd;
    }
    return result;
}

}  // namespace audiogram
