#include "import/xml_reader.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

#include "import/escaped_text.h"
#include "import/name_index.h"
#include "import/single_byte_text.h"
#include "xml/byte_search.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

constexpr bool IsXmlWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The first byte of an end tag's name as ScanToTokenStart takes it: anything that is
// neither skipped nor changes the state.
constexpr bool BeginsEndTagName(char c) {
    return !IsXmlWhitespace(c) && c != '>' && c != '<' && c != '"';
}

constexpr bool IsSchemaList(std::int32_t list) {
    return list >= 1 && list <= AudiogramSchemaTable::kListCount;
}

// What ends a token, by the byte that stands after it: '<' always, left for the next
// token; in a start tag a blank or '>' too, left as well; outside element text a '"' or
// '>', consumed with the token.
enum class TokenEnd : std::uint8_t { None, Left, Consumed };
using TokenEnds = std::array<TokenEnd, 256>;

constexpr TokenEnds MakeTokenEnds(bool startTag) {
    TokenEnds ends{};
    ends[static_cast<unsigned char>('"')] = TokenEnd::Consumed;
    ends[static_cast<unsigned char>('>')] = startTag ? TokenEnd::Left : TokenEnd::Consumed;
    if (startTag) ends[static_cast<unsigned char>(' ')] = TokenEnd::Left;
    ends[static_cast<unsigned char>('<')] = TokenEnd::Left;
    return ends;
}
constexpr TokenEnds kStartTagEnds = MakeTokenEnds(true);
constexpr TokenEnds kOtherTokenEnds = MakeTokenEnds(false);

// The document ends at its first NUL byte, or at the end of the bytes.
std::string_view InputOf(ByteSpan document) {
    const auto* bytes = reinterpret_cast<const char*>(document.data());
    const void* nul = document.empty() ? nullptr : std::memchr(bytes, 0, document.size());
    const std::size_t length =
        nul == nullptr ? document.size() : static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
    return {bytes, length};
}

}  // namespace

AudiogramXmlReader::AudiogramXmlReader(const AudiogramSchemaTable& schema, ByteSpan document,
                                       TextRules& textRules)
    : schema_(schema), textRules_(textRules), input_(InputOf(document)) {
    escapeScratch_.reserve(kTokenCapacity + 1);
}

HResult AudiogramXmlReader::ReadToken(XmlTokenKind& kind, std::u16string_view& text) {
    text = {};
    if (!NextToken(kind)) return kStatusFail;
    text = TokenText();
    return kStatusOk;
}

bool AudiogramXmlReader::NextToken(XmlTokenKind& kind) {
    kind = XmlTokenKind::Prolog;
    tagOpened_ = false;
    for (;;) {
        if (!ScanToTokenStart()) return false;
        bool selfClosing = false;
        if (!AtSelfClosingTag(selfClosing)) return false;
        if (!selfClosing) break;
        // A self-closing element yields no token at all; the state stays StartTag.
    }
    kind = state_;
    CollectToken();
    tokenConverted_ = false;
    if (state_ == XmlTokenKind::Content) TokenText();
    return true;
}

std::u16string_view AudiogramXmlReader::TokenText() {
    if (!tokenConverted_) {
        ConvertToken();
        tokenConverted_ = true;
    }
    return {text_.data(), textLength_};
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
// consumed and dropped. Element text runs to the next '<' and keeps its double quotes and
// '>'.
void AudiogramXmlReader::CollectToken() {
    const std::size_t start = cursor_;
    std::size_t end = start;
    TokenEnd ending = TokenEnd::None;
    if (state_ == XmlTokenKind::Content) {
        const void* open = std::memchr(input_.data() + start, '<', input_.size() - start);
        end = open == nullptr ? input_.size()
                              : static_cast<std::size_t>(static_cast<const char*>(open) - input_.data());
        if (open != nullptr) ending = TokenEnd::Left;
    } else {
        const TokenEnds& ends = state_ == XmlTokenKind::StartTag ? kStartTagEnds : kOtherTokenEnds;
        while (end < input_.size() && ends[static_cast<unsigned char>(input_[end])] == TokenEnd::None) ++end;
        if (end < input_.size()) ending = ends[static_cast<unsigned char>(input_[end])];
    }
    cursor_ = ending == TokenEnd::Consumed ? end + 1 : end;

    raw_ = input_.substr(start, std::min(end - start, kTokenCapacity));
    unsigned char seen = 0;
    for (const char byte : raw_) seen |= static_cast<unsigned char>(byte);
    rawIsAscii_ = seen < 0x80;
}

// The token's bytes as UTF-16, with the escapes of element text turned back.
void AudiogramXmlReader::ConvertToken() {
    const std::string_view raw = raw_;
    // ASCII element text is turned back in one pass where that reads as the replacements
    // below; they alone log what they replace. Every escape shortens the text, and only a
    // shorter one asks the rules whether they log, since asking sets up the process's
    // configuration, as the replacements ask only once they have found an escape.
    if (rawIsAscii_ && state_ == XmlTokenKind::Content && !quickPathsOff_) {
        const std::optional<std::size_t> length = TurnBackEscapes(raw, text_);
        if (length && (*length == raw.size() || !textRules_.LogEnabled())) {
            textLength_ = *length;
            text_[textLength_] = 0;
            return;
        }
    }
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
    ReplaceEscapeSequence(textRules_, escapeScratch_);
    textLength_ = std::min(escapeScratch_.size(), kTokenCapacity);
    std::copy_n(escapeScratch_.begin(), textLength_, text_.begin());
    text_[textLength_] = 0;
}

Result<ChildMatch> AudiogramXmlReader::FindChild(std::int32_t list, std::u16string_view name) const {
    if (!IsSchemaList(list)) return Result<ChildMatch>::Failure(kStatusFail);
    const std::optional<ChildMatch> match = audiogram::FindChild(list, SingleByteText(name).View());
    if (!match) return Result<ChildMatch>::Failure(kStatusFail);
    return Result<ChildMatch>::Ok(*match);
}

// The look-up of the current token's name. An ASCII name is looked up by its bytes, which
// are its single-byte text; any other goes through its UTF-16 text as FindChild's does.
std::optional<ChildMatch> AudiogramXmlReader::FindTokenChild(std::int32_t list) {
    if (!rawIsAscii_) {
        const Result<ChildMatch> found = FindChild(list, TokenText());
        if (found.Failed()) return std::nullopt;
        return found.value;
    }
    if (!IsSchemaList(list)) return std::nullopt;
    const ChildMatch match = LookUpChild(list, raw_);
    if (match.position < 0) return std::nullopt;
    return match;
}

void AudiogramXmlReader::SetToken(std::size_t start, std::size_t end, bool ascii) {
    raw_ = std::string_view(input_.data() + start, end - start);
    rawIsAscii_ = ascii;
    tokenConverted_ = false;
}

// The shapes nearly every element of a document has, read in one go: a leaf
// "<Name>text</Name>", the start tag "<Name>" of a section, its conditions or a point, and an
// end tag "</Name>", each after the blanks and line end of the indentation. A shape is taken
// only where the general path (the loop of NextElement) would read the same tokens, with
// names the schema table knows; the reader's position, state and lists are then left exactly
// as the general path leaves them (its token buffer, which the general path fills anew before
// it reads it, may differ). Anything else is left to the general path, and nothing it relies
// on has changed. The quick paths are inlined into NextElement: for most elements a call
// would cost as much as the work.
[[gnu::always_inline]] inline Result<std::int32_t> AudiogramXmlReader::NextElementQuickly(LeafText& text) {
    constexpr Result<std::int32_t> kLeft{kNotQuick};
    std::size_t at = cursor_;
    if (state_ == XmlTokenKind::StartTag) {
        // After the start tag of a container the cursor stands on its '>'.
        if (at >= input_.size() || input_[at] != '>') return kLeft;
        ++at;
    } else if (state_ != XmlTokenKind::EndTag) {
        return kLeft;
    }
    at = SkipIndentation(at);
    if (at + 1 >= input_.size() || input_[at] != '<') return kLeft;
    if (input_[at + 1] == '/') return EndTagQuickly(at + 2);
    return StartTagQuickly(at + 1, text);
}

// Siblings share their indentation: the blanks before the last element and the byte after
// them, kept as the word they begin, are checked in one comparison before any scan. Where the
// word matches, the scan would stop at the same byte. Two are kept, since the elements of a
// section alternate between two depths: a point's start and end tags and its leaves.
[[gnu::always_inline]] inline std::size_t AudiogramXmlReader::SkipIndentation(std::size_t at) {
    using byte_search::Load;
    const bool wholeWord = at + 8 <= input_.size();
    if (wholeWord) {
        const std::uint64_t word = Load(input_.data() + at);
        if ((word & indents_[0].mask) == indents_[0].word) return at + indents_[0].length;
        if ((word & indents_[1].mask) == indents_[1].word) {
            std::swap(indents_[0], indents_[1]);
            return at + indents_[0].length;
        }
    }
    const std::size_t start = at;
    while (at < input_.size() && IsXmlWhitespace(input_[at])) ++at;
    if (wholeWord && at - start < 8) {
        indents_[1] = indents_[0];
        indents_[0].length = at - start;
        indents_[0].mask = byte_search::Before(~std::uint64_t{0}, indents_[0].length + 1);
        indents_[0].word = Load(input_.data() + start) & indents_[0].mask;
    }
    return at;
}

// A name of the schema table holds only letters, digits and '_': where the bytes up to the
// next '>' are such a name, the general path ends the token at that '>' too (no blank, '<'
// or '"' in it, no '/' before the '>') and finds the same entry. So the quick paths look for
// the '>' alone and take only names the table knows.
[[gnu::always_inline]] inline ChildMatch AudiogramXmlReader::LookUpName(std::size_t start,
                                                                        std::size_t end) const {
    if (quickPathsOff_) return ChildMatch{-1, 0};
    if (!IsSchemaList(currentList_) || end - start > kTokenCapacity) return ChildMatch{-1, 0};
    return LookUpNamedChild(currentList_, std::string_view(input_.data() + start, end - start));
}

// Whether the name of the current list's entry at `position` stands at `at`, followed by '>'.
inline bool AudiogramXmlReader::NameStandsAt(std::size_t at, std::size_t position) const {
    if (position >= named_.size()) return false;
    const std::string_view name = named_[position].name;
    const std::size_t end = at + name.size();
    return end < input_.size() && input_[end] == '>' && SameText(BytesAt(at, name.size()), name);
}

// Documents list the elements of a list in the list's order, so the element after the one
// last found, or the same one again (the next point), is nearly always what stands here:
// checking those costs less than finding the name's end and looking it up.
[[gnu::always_inline]] inline ChildMatch AudiogramXmlReader::ExpectedChild(std::size_t at,
                                                                           std::size_t& nameEnd) {
    if (currentList_ < 0 || currentList_ > AudiogramSchemaTable::kListCount) return ChildMatch{-1, 0};
    if (namedList_ != currentList_) {
        named_ = NamedChildren(currentList_);
        if (quickPathsOff_) named_ = {};
        namedList_ = currentList_;
    }
    const std::size_t last = lastFound_[static_cast<std::size_t>(currentList_)];
    std::size_t position = last + 1;
    if (!NameStandsAt(at, position)) {
        position = last;
        if (!NameStandsAt(at, position)) {
            position = last + 2;
            if (!NameStandsAt(at, position)) return ChildMatch{-1, 0};
        }
    }
    nameEnd = at + named_[position].name.size();
    return ChildMatch{static_cast<std::int32_t>(position), named_[position].code};
}

Result<std::int32_t> AudiogramXmlReader::EndTagQuickly(std::size_t at) {
    constexpr Result<std::int32_t> kLeft{kNotQuick};
    // Nearly always the end tag of the current element, whose name is the list's owner's.
    ChildMatch match{-1, 0};
    std::size_t close = 0;
    if (currentList_ >= 1 && currentList_ <= AudiogramSchemaTable::kListCount) {
        if (namedList_ != currentList_) {
            named_ = NamedChildren(currentList_);
            if (quickPathsOff_) named_ = {};
            namedList_ = currentList_;
        }
        if (NameStandsAt(at, 0)) {
            match = ChildMatch{0, named_[0].code};
            close = at + named_[0].name.size();
        }
    }
    if (match.position < 0) {
        close = FindFirstOf<'>'>(input_, at).at;
        if (close == input_.size()) return kLeft;
        match = LookUpName(at, close);
        if (match.position < 0) return kLeft;
    }
    cursor_ = close + 1;
    state_ = XmlTokenKind::EndTag;
    tagOpened_ = true;
    // As the general path: only the end tag of the current element (position 0) closes it.
    if (match.position != 0) return Result<std::int32_t>::Failure(kStatusFail);
    if (const std::optional<std::int32_t> outer = stack_.Pop()) currentList_ = *outer;
    return Result<std::int32_t>::Ok(0);
}

[[gnu::always_inline]] inline Result<std::int32_t> AudiogramXmlReader::StartTagQuickly(std::size_t at,
                                                                                       LeafText& text) {
    constexpr Result<std::int32_t> kLeft{kNotQuick};
    std::size_t nameEnd = 0;
    ChildMatch match = ExpectedChild(at, nameEnd);
    if (match.position < 0) {
        nameEnd = FindFirstOf<'>'>(input_, at).at;
        if (nameEnd == input_.size()) return kLeft;
        match = LookUpName(at, nameEnd);
        if (match.position < 0) return kLeft;  // attributes, a self-closing tag, an unknown name
    }
    lastFound_[static_cast<std::size_t>(currentList_)] = static_cast<std::size_t>(match.position);
    const std::int32_t position = match.position;

    if (match.code != currentList_) {  // a container: entered, its '>' left for the next element
        cursor_ = nameEnd;
        state_ = XmlTokenKind::StartTag;
        tagOpened_ = true;
        if (!stack_.Push(currentList_)) return Result<std::int32_t>::Failure(kStatusFail);
        currentList_ = match.code;
        return Result<std::int32_t>::Ok(position);
    }

    // A leaf: its text up to the '<' of its end tag, whose name is not checked.
    std::size_t textStart = nameEnd + 1;
    while (textStart < input_.size() && IsXmlWhitespace(input_[textStart])) ++textStart;
    if (textStart >= input_.size() || input_[textStart] == '<') return kLeft;  // no text
    ByteSearch textEnd = FindFirstOf<'<', '&'>(input_, textStart);
    const bool escapes = textEnd.at < input_.size() && input_[textEnd.at] == '&';
    if (escapes) textEnd = FindFirstOf<'<'>(input_, textEnd.at);
    if (textEnd.at + 2 >= input_.size() || input_[textEnd.at + 1] != '/' ||
        !BeginsEndTagName(input_[textEnd.at + 2])) {
        return kLeft;
    }
    const std::size_t endName = textEnd.at + 2;
    const std::string_view name = BytesAt(at, nameEnd - at);
    std::size_t close = endName + name.size();
    // The end tag nearly always repeats the name; otherwise its end is looked for.
    if (close >= input_.size() || input_[close] != '>' ||
        !SameText(BytesAt(endName, name.size()), name)) {
        const ByteSearch found = FindFirstOf<'<', '"', '>'>(input_, endName);
        if (found.at == input_.size() || input_[found.at] != '>') return kLeft;
        close = found.at;
    }

    const std::string_view content = BytesAt(textStart, textEnd.at - textStart);
    if (textEnd.ascii && !escapes && content.size() <= kTokenCapacity) {
        text.AssignAscii(content);
    } else {
        // Escapes or other characters: the element text's token, converted (its escapes turned
        // back and logged) by the general path's own code.
        const std::string_view kept = content.substr(0, kTokenCapacity);
        unsigned char seen = 0;
        for (const char byte : kept) seen |= static_cast<unsigned char>(byte);
        SetToken(textStart, textStart + kept.size(), seen < 0x80);
        state_ = XmlTokenKind::Content;
        text.Assign(TokenText());
    }
    cursor_ = close + 1;
    state_ = XmlTokenKind::EndTag;
    tagOpened_ = true;
    return Result<std::int32_t>::Ok(position);
}

Result<std::int32_t> AudiogramXmlReader::NextElement(LeafText& text) {
    if (const Result<std::int32_t> quick = NextElementQuickly(text); quick.status != kNotQuick) return quick;
    constexpr Result<std::int32_t> kBroken = Result<std::int32_t>::Failure(kStatusFail);
    // The position and code of the last name found stand until another is found, as the
    // end tag's check below relies on.
    ChildMatch match{0, 0};
    XmlTokenKind kind{};
    for (;;) {
        if (!NextToken(kind)) return kBroken;

        if (kind == XmlTokenKind::StartTag) {
            const std::optional<ChildMatch> found = FindTokenChild(currentList_);
            if (found) match = *found;
            if (!found && IsSchemaList(currentList_)) {
                // An unknown element inside a section: skip it whole and go on after it.
                if (Failed(SkipElement())) return kBroken;
                continue;
            }
            if (match.code != currentList_) {
                if (!stack_.Push(currentList_)) return kBroken;
                currentList_ = match.code;
                return Result<std::int32_t>::Ok(match.position);
            }
            // A leaf: its text (if any), then its end tag, whose name is not checked.
            if (!NextToken(kind)) return kBroken;
            if (kind == XmlTokenKind::Attribute) continue;  // attributes are tokens of their own
            if (kind == XmlTokenKind::EndTag) {
                text.Clear();
                return Result<std::int32_t>::Ok(match.position);
            }
            if (kind != XmlTokenKind::Content) return kBroken;
            text.Assign(TokenText());
            if (!NextToken(kind)) return kBroken;
            return kind == XmlTokenKind::EndTag ? Result<std::int32_t>::Ok(match.position) : kBroken;
        }

        if (kind == XmlTokenKind::EndTag) {
            if (const std::optional<ChildMatch> found = FindTokenChild(currentList_)) match = *found;
            // The end tag of a child, not of the current element
            if (match.position != 0) return kBroken;
            if (const std::optional<std::int32_t> outer = stack_.Pop()) currentList_ = *outer;
            return Result<std::int32_t>::Ok(0);
        }
        // Prolog, AfterMarkup, and content or attributes outside a leaf are skipped.
    }
}

// Reads the tokens of an element whose start tag was just read, up to its end tag. Only
// tags count: text after an inner end tag comes as an EndTag token too, since the state
// stays EndTag until the next '<'.
HResult AudiogramXmlReader::SkipElement() {
    std::size_t depth = 1;
    XmlTokenKind kind{};
    while (depth > 0) {
        if (!NextToken(kind)) return kStatusFail;
        if (!tagOpened_) continue;
        if (kind == XmlTokenKind::StartTag) ++depth;
        if (kind == XmlTokenKind::EndTag) --depth;
    }
    return kStatusOk;
}

HResult AudiogramXmlReader::SkipToNextTag() {
    const std::size_t open = input_.find('<', cursor_);
    if (open == std::string_view::npos) {
        cursor_ = input_.size();
        return kStatusFail;
    }
    cursor_ = open;
    return kStatusOk;
}

}  // namespace audiogram
