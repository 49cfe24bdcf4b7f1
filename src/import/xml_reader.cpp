#include "import/xml_reader.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "import/single_byte_text.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

// What a byte means to the tokenizer; every byte from 0x80 up is Plain.
enum class ByteClass : std::uint8_t { Plain, Whitespace, Space, Open, Close, Quote, Markup, Slash, Equals };

constexpr std::array<ByteClass, 256> MakeByteClasses() {
    std::array<ByteClass, 256> classes{};
    for (const char c : {'\t', '\n', '\v', '\f', '\r'})
        classes[static_cast<unsigned char>(c)] = ByteClass::Whitespace;
    classes[' '] = ByteClass::Space;
    classes['<'] = ByteClass::Open;
    classes['>'] = ByteClass::Close;
    classes['"'] = ByteClass::Quote;
    classes['!'] = ByteClass::Markup;
    classes['?'] = ByteClass::Markup;
    classes['/'] = ByteClass::Slash;
    classes['='] = ByteClass::Equals;
    return classes;
}

constexpr std::array<ByteClass, 256> kByteClasses = MakeByteClasses();

constexpr ByteClass ClassOf(char c) {
    return kByteClasses[static_cast<unsigned char>(c)];
}

// The bytes that end a name or attribute token: '<' ends every one, '>' and '"' every one
// but element text, a space a start-tag name.
constexpr std::uint8_t kEndsAny = 1;
constexpr std::uint8_t kEndsName = 2;
constexpr std::uint8_t kEndsStartTag = 4;

constexpr std::array<std::uint8_t, 256> MakeTokenEnds() {
    std::array<std::uint8_t, 256> ends{};
    ends['<'] = kEndsAny;
    ends['>'] = kEndsName;
    ends['"'] = kEndsName;
    ends[' '] = kEndsStartTag;
    return ends;
}

constexpr std::array<std::uint8_t, 256> kTokenEnds = MakeTokenEnds();

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
    : schema_(schema), input_(InputOf(document)) {}

std::int32_t AudiogramXmlReader::ReadToken(XmlTokenKind& kind, std::u16string_view& text) {
    text = {};
    if (NextToken(kind) != 0) return -1;
    if (kind != XmlTokenKind::Content) WidenToken();
    text = {text_.data(), textLength_};
    return 0;
}

// The next token as raw bytes; element text is converted at once, since turning its escapes
// back is logged whoever reads it. Names stay bytes: compared as single bytes, a name that
// holds anything outside ASCII matches no entry either way.
std::int32_t AudiogramXmlReader::NextToken(XmlTokenKind& kind) {
    kind = XmlTokenKind::Prolog;
    rawLength_ = 0;
    textLength_ = 0;
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
    if (kind == XmlTokenKind::Content) ConvertContent();
    return 0;
}

// Moves the cursor onto the first byte of the next token; false at the end of input.
bool AudiogramXmlReader::ScanToTokenStart() {
    const char* const bytes = input_.data();
    const std::size_t end = input_.size();
    XmlTokenKind state = state_;
    std::size_t cursor = cursor_;
    bool found = false;
    for (; cursor < end && !found; ++cursor) {
        if (state == XmlTokenKind::Markup) {
            // Markup ends at its first '>', whatever stands before it.
            const void* close = std::memchr(bytes + cursor, '>', end - cursor);
            if (close == nullptr) {
                cursor = end;
                break;
            }
            cursor = static_cast<std::size_t>(static_cast<const char*>(close) - bytes);
            state = XmlTokenKind::AfterMarkup;
            continue;
        }
        switch (ClassOf(bytes[cursor])) {
            case ByteClass::Whitespace:
                break;
            case ByteClass::Space:
                if (state == XmlTokenKind::StartTag) state = XmlTokenKind::Attribute;
                break;
            case ByteClass::Close:
                // Element text may hold a literal '>', as XML allows: it begins the text.
                if (state == XmlTokenKind::Content) found = true;
                state = XmlTokenKind::Content;
                break;
            case ByteClass::Quote:
                // So may a double quote.
                if (state == XmlTokenKind::Content) found = true;
                if (state == XmlTokenKind::Attribute) state = XmlTokenKind::StartTag;
                break;
            case ByteClass::Open:
                state = XmlTokenKind::StartTag;
                tagOpened_ = true;
                break;
            case ByteClass::Markup:
                if (state == XmlTokenKind::StartTag) {
                    state = XmlTokenKind::Markup;
                } else {
                    found = true;
                }
                break;
            case ByteClass::Slash:
                if (state == XmlTokenKind::StartTag) {
                    state = XmlTokenKind::EndTag;
                } else {
                    found = true;
                }
                break;
            case ByteClass::Equals:
                if (state != XmlTokenKind::StartTag) found = true;
                break;
            case ByteClass::Plain:
                found = true;
                break;
        }
    }
    if (found) --cursor;  // the byte that begins the token stays under the cursor
    state_ = state;
    cursor_ = cursor;
    return found;
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
// consumed and dropped. (Locals, not members, in the loop: the byte stores into raw_ would
// otherwise make the compiler reload every member after each byte.)
void AudiogramXmlReader::CollectToken() {
    const char* const bytes = input_.data();
    const std::size_t end = input_.size();
    const XmlTokenKind state = state_;
    const std::size_t start = cursor_;
    std::size_t cursor = start;
    if (state == XmlTokenKind::Content) {
        // Element text runs to the next '<' and keeps its double quotes and '>'.
        const void* open = std::memchr(bytes + cursor, '<', end - cursor);
        cursor = open == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(open) - bytes);
    } else {
        const std::uint8_t endsHere =
            kEndsAny | kEndsName | (state == XmlTokenKind::StartTag ? kEndsStartTag : std::uint8_t{0});
        while (cursor < end && (kTokenEnds[static_cast<unsigned char>(bytes[cursor])] & endsHere) == 0)
            ++cursor;
    }
    const std::size_t length = std::min(cursor - start, kTokenCapacity);
    std::memcpy(raw_.data(), bytes + start, length);
    // A double quote or '>' that ends a name or attribute is consumed; '<', and a space or
    // '>' after a start-tag name, stay for the next token.
    if (state != XmlTokenKind::Content && cursor < end) {
        const char stop = bytes[cursor];
        if (stop == '"' || (stop == '>' && state != XmlTokenKind::StartTag)) ++cursor;
    }
    cursor_ = cursor;
    rawLength_ = length;
}

// The token's bytes as UTF-16: ASCII unit for unit, anything else through the UTF-8
// conversion.
void AudiogramXmlReader::WidenToken() {
    std::size_t i = 0;
    for (; i < rawLength_; ++i) {
        const auto byte = static_cast<unsigned char>(raw_[i]);
        if (byte >= 0x80) break;
        text_[i] = byte;
    }
    textLength_ =
        i == rawLength_
            ? i
            : Utf8ToWideInto(std::span<char16_t>(text_), std::string_view(raw_.data(), rawLength_)).size();
    text_[textLength_] = 0;
}

// Element text as UTF-16 with its escapes turned back.
void AudiogramXmlReader::ConvertContent() {
    WidenToken();
    // Without an ampersand there is no escape to replace and nothing to log.
    const std::u16string_view text(text_.data(), textLength_);
    if (text.find(u'&') == std::u16string_view::npos) return;
    escapeScratch_.reserve(kTokenCapacity + 1);  // allocates once per document at most
    escapeScratch_.assign(text);
    ReplaceEscapeSequence(escapeScratch_);
    textLength_ = std::min(escapeScratch_.size(), kTokenCapacity);
    std::copy_n(escapeScratch_.begin(), textLength_, text_.begin());
    text_[textLength_] = 0;
}

std::int32_t AudiogramXmlReader::FindChild(std::int32_t list, std::u16string_view name,
                                           std::int32_t& position, std::int32_t& code) const {
    return FindChildByBytes(list, SingleByteText(name).View(), position, code);
}

std::int32_t AudiogramXmlReader::FindChildByBytes(std::int32_t list, std::string_view name,
                                                  std::int32_t& position, std::int32_t& code) const {
    if (!IsSchemaList(list)) return -1;
    const std::optional<ChildMatch> match = schema_.FindChild(list, name);
    if (!match) return -1;
    position = match->position;
    code = match->code;
    return 0;
}

std::int32_t AudiogramXmlReader::NextElement(LeafText& text) {
    std::int32_t position = 0;
    std::int32_t code = 0;
    XmlTokenKind kind{};
    for (;;) {
        if (NextToken(kind) != 0) return -1;

        if (kind == XmlTokenKind::StartTag) {
            const bool found = FindChildByBytes(currentList_, RawToken(), position, code) == 0;
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
            if (NextToken(kind) != 0) return -1;
            if (kind == XmlTokenKind::Attribute) continue;  // attributes are tokens of their own
            if (kind == XmlTokenKind::EndTag) {
                text.Clear();
                return position;
            }
            if (kind != XmlTokenKind::Content) return -1;
            text.Assign({text_.data(), textLength_});
            if (NextToken(kind) != 0) return -1;
            return kind == XmlTokenKind::EndTag ? position : -1;
        }

        if (kind == XmlTokenKind::EndTag) {
            FindChildByBytes(currentList_, RawToken(), position, code);
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
    while (depth > 0) {
        if (NextToken(kind) != 0) return -1;
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
