#include "import/xml_reader.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "import/single_byte_text.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

constexpr bool IsXmlWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsSchemaList(std::int32_t list) {
    return list >= 1 && list <= AudiogramSchemaTable::kListCount;
}

// The document ends at its first NUL byte, or at the end of the bytes.
std::string_view InputOf(ByteSpan document) {
    const auto* bytes = reinterpret_cast<const char*>(document.data());
    const void* nul = document.empty() ? nullptr : std::memchr(bytes, 0, document.size());
    const std::size_t length =
        nul == nullptr ? document.size() : static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
    return {bytes, length};
}

}  // namespace

AudiogramXmlReader::AudiogramXmlReader(const AudiogramSchemaTable& schema, ByteSpan document)
    : schema_(schema), input_(InputOf(document)) {
    escapeScratch_.reserve(kTokenCapacity + 1);
}

std::int32_t AudiogramXmlReader::ReadToken(XmlTokenKind& kind, std::u16string_view& text) {
    kind = XmlTokenKind::Prolog;
    text = {};
    tagOpened_ = false;
    for (;;) {
        if (!ScanToTokenStart()) return -1;
        bool selfClosing = false;
        if (!AtSelfClosingTag(selfClosing)) return -1;
        if (!selfClosing) break;
        // A self-closing element yields no token at all; the state stays StartTag.
    }
    kind = state_;
    CollectToken();
    ConvertToken();
    text = {text_.data(), textLength_};
    return 0;
}

// Moves the cursor onto the first byte of the next token; false at the end of input.
bool AudiogramXmlReader::ScanToTokenStart() {
    for (; cursor_ < input_.size(); ++cursor_) {
        const char c = input_[cursor_];
        if (state_ == XmlTokenKind::Markup) {
            // Markup ends at its first '>', whatever stands before it.
            const std::size_t close = input_.find('>', cursor_);
            if (close == std::string_view::npos) break;
            cursor_ = close;
            state_ = XmlTokenKind::AfterMarkup;
            continue;
        }
        // Element text may hold a literal '>' or double quote, as XML allows: they begin
        // the text like any other character.
        if (state_ == XmlTokenKind::Content && (c == '>' || c == '"')) return true;
        if (c == '>') {
            state_ = XmlTokenKind::Content;
            continue;
        }
        if (c == ' ' && state_ == XmlTokenKind::StartTag) {
            state_ = XmlTokenKind::Attribute;
            continue;
        }
        if (IsXmlWhitespace(c)) continue;
        if (c == '<') {
            state_ = XmlTokenKind::StartTag;
            tagOpened_ = true;
            continue;
        }
        if (state_ == XmlTokenKind::StartTag) {
            if (c == '!' || c == '?') {
                state_ = XmlTokenKind::Markup;
                continue;
            }
            if (c == '/') {
                state_ = XmlTokenKind::EndTag;
                continue;
            }
            if (c == '=') continue;
        }
        if (c == '"') {
            if (state_ == XmlTokenKind::Attribute) state_ = XmlTokenKind::StartTag;
            continue;
        }
        return true;
    }
    cursor_ = input_.size();
    return false;
}

// For a start tag: looks ahead to the first '>' and tells whether the byte before it is
// '/'; a self-closing tag is passed over. False when the input ends before any '>'.
bool AudiogramXmlReader::AtSelfClosingTag(bool& selfClosing) {
    selfClosing = false;
    if (state_ != XmlTokenKind::StartTag) return true;
    if (lookAheadHit_ == std::string_view::npos || cursor_ < lookAheadFrom_ || cursor_ > lookAheadHit_) {
        lookAheadFrom_ = cursor_;
        lookAheadHit_ = std::min(input_.find('>', cursor_), input_.size());
    }
    if (lookAheadHit_ == input_.size()) return false;
    if (input_[lookAheadHit_ - 1] == '/') {
        selfClosing = true;
        cursor_ = lookAheadHit_ + 1;
    }
    return true;
}

// Collects the token's bytes, at most kTokenCapacity of them; the rest of a longer token is
// consumed and dropped.
void AudiogramXmlReader::CollectToken() {
    rawLength_ = 0;
    unsigned char seen = 0;
    while (cursor_ < input_.size()) {
        const char b = input_[cursor_++];
        if (state_ == XmlTokenKind::StartTag && (b == ' ' || b == '>')) {
            --cursor_;
            break;
        }
        if (b == '<') {
            --cursor_;
            break;
        }
        // Element text runs to the next '<' and keeps its double quotes and '>'.
        if (state_ != XmlTokenKind::Content && (b == '"' || b == '>')) break;
        if (rawLength_ < kTokenCapacity) {
            raw_[rawLength_++] = b;
            seen |= static_cast<unsigned char>(b);
        }
    }
    rawIsAscii_ = seen < 0x80;
}

// The token's bytes as UTF-16, with the escapes of element text turned back.
void AudiogramXmlReader::ConvertToken() {
    const std::string_view raw(raw_.data(), rawLength_);
    if (rawIsAscii_) {
        std::copy(raw.begin(), raw.end(), text_.begin());  // ASCII converts unit for unit
        textLength_ = raw.size();
    } else {
        textLength_ = Utf8ToWideInto(std::span<char16_t>(text_), raw).size();
    }
    text_[textLength_] = 0;

    // Without an ampersand there is no escape to replace and nothing to log.
    const std::u16string_view text(text_.data(), textLength_);
    if (state_ != XmlTokenKind::Content || text.find(u'&') == std::u16string_view::npos) return;
    escapeScratch_.assign(text);
    ReplaceEscapeSequence(escapeScratch_);
    textLength_ = std::min(escapeScratch_.size(), kTokenCapacity);
    std::copy_n(escapeScratch_.begin(), textLength_, text_.begin());
    text_[textLength_] = 0;
}

std::int32_t AudiogramXmlReader::FindChild(std::int32_t list, std::u16string_view name, std::int32_t& position,
                                           std::int32_t& code) const {
    if (!IsSchemaList(list)) return -1;
    const std::optional<ChildMatch> match = schema_.FindChild(list, SingleByteText(name).View());
    if (!match) return -1;
    position = match->position;
    code = match->code;
    return 0;
}

std::int32_t AudiogramXmlReader::NextElement(LeafText& text) {
    std::int32_t position = 0;
    std::int32_t code = 0;
    XmlTokenKind kind{};
    std::u16string_view token;
    for (;;) {
        if (ReadToken(kind, token) != 0) return -1;

        if (kind == XmlTokenKind::StartTag) {
            const bool found = FindChild(currentList_, token, position, code) == 0;
            if (!found && IsSchemaList(currentList_)) {
                // An unknown element inside a section: skip it whole and go on after it.
                if (SkipElement() != 0) return -1;
                continue;
            }
            if (code != currentList_) {
                if (!stack_.Push(currentList_)) return -1;
                currentList_ = code;
                return position;
            }
            // A leaf: its text (if any), then its end tag, whose name is not checked.
            if (ReadToken(kind, token) != 0) return -1;
            if (kind == XmlTokenKind::Attribute) continue;  // attributes are tokens of their own
            if (kind == XmlTokenKind::EndTag) {
                text.Clear();
                return position;
            }
            if (kind != XmlTokenKind::Content) return -1;
            text.Assign(token);
            if (ReadToken(kind, token) != 0) return -1;
            return kind == XmlTokenKind::EndTag ? position : -1;
        }

        if (kind == XmlTokenKind::EndTag) {
            FindChild(currentList_, token, position, code);
            if (position != 0) return -1;  // the end tag of a child, not of the current element
            if (const std::optional<std::int32_t> outer = stack_.Pop()) currentList_ = *outer;
            return 0;
        }
        // Prolog, AfterMarkup, and content or attributes outside a leaf are skipped.
    }
}

// Reads the tokens of an element whose start tag was just read, up to its end tag. Only
// tags count: text after an inner end tag comes as an EndTag token too, since the state
// stays EndTag until the next '<'.
std::int32_t AudiogramXmlReader::SkipElement() {
    std::size_t depth = 1;
    XmlTokenKind kind{};
    std::u16string_view token;
    while (depth > 0) {
        if (ReadToken(kind, token) != 0) return -1;
        if (!tagOpened_) continue;
        if (kind == XmlTokenKind::StartTag) ++depth;
        if (kind == XmlTokenKind::EndTag) --depth;
    }
    return 0;
}

std::int32_t AudiogramXmlReader::SkipToNextTag() {
    const std::size_t open = input_.find('<', cursor_);
    if (open == std::string_view::npos) {
        cursor_ = input_.size();
        return -1;
    }
    cursor_ = open;
    return 0;
}

}  // namespace audiogram
