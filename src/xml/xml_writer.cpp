#include "xml/xml_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include "support/message_format.h"
#include "xml/comment_text.h"
#include "xml/number_text.h"
#include "xml/text_legality.h"
#include "xml/utf_transcoding.h"

namespace audiogram {

// The name of an open element is not kept apart: it stands in the element's start tag,
// which stays in the buffer as long as the element is open, and the end tag copies it
// from there. Opening and closing an element thus allocates nothing.
struct XmlWriter::ElementEntry {
    std::uint32_t nameOffset = 0;  // of the name in the start tag
    std::uint32_t nameLength = 0;
    std::uint32_t startOffset = 0;    // Length before the start tag's indentation
    std::uint32_t contentOffset = 0;  // Length after the start tag's line end
};

namespace {

constexpr const char* kAllocationFailure = "Memory allocation failure!";
constexpr const char* kMissingPushElement = "Missing PushElement failure!";
// The name in the illegal-characters comment went through a 200-byte UTF-16 buffer.
constexpr std::size_t kCommentNameUnits = 100;
// Documents nest four deep; the stack grows only for callers that go deeper.
constexpr std::size_t kUsualDepth = 8;
// The most bytes one UTF-16 unit of legal text takes in the document: "&quot;".
constexpr std::size_t kWidestUnit = 6;

// The indentation of the usual depths, copied whole; deeper elements take the long way.
constexpr std::size_t kTabRun = 16;
constexpr std::array<char, kTabRun> kTabs = [] {
    std::array<char, kTabRun> tabs{};
    tabs.fill('\t');
    return tabs;
}();

[[noreturn]] void ThrowAllocationFailure() {
    throw XmlWriterOutOfMemory(kAllocationFailure);
}

char* Put(char* out, std::string_view bytes) {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

// Copies a text of a few bytes (a number, an enumeration name) without a call, by two loads
// that overlap where the text is not a whole word; longer texts go to memcpy.
char* PutShort(char* out, std::string_view text) {
    const std::size_t size = text.size();
    const char* from = text.data();
    if (size >= 8 && size <= 16) {
        std::memcpy(out, from, 8);
        std::memcpy(out + size - 8, from + size - 8, 8);
    } else if (size >= 4 && size < 8) {
        std::memcpy(out, from, 4);
        std::memcpy(out + size - 4, from + size - 4, 4);
    } else if (size > 0 && size < 4) {
        out[0] = from[0];
        out[size / 2] = from[size / 2];
        out[size - 1] = from[size - 1];
    } else if (size > 16) {
        std::memcpy(out, from, size);
    }
    return out + size;
}

// The entity of one of the four characters element text escapes, else empty.
std::string_view AsciiEscape(char16_t unit) {
    switch (unit) {
        case u'"':
            return "&quot;";
        case u'&':
            return "&amp;";
        case u'<':
            return "&lt;";
        case u'>':
            return "&gt;";
        default:
            return {};
    }
}

// The bytes of legal text as element content: the four escapes, everything else as UTF-8
// (an unpaired surrogate as U+FFFD). The same bytes as the text made legal and then
// converted: every escape is ASCII, so it never splits a surrogate pair.
std::size_t LegalTextBytes(std::u16string_view text) {
    std::size_t bytes = 0;
    for (std::size_t position = 0; position < text.size();) {
        const char16_t unit = text[position];
        if (unit < 0x80) {
            const std::string_view escape = AsciiEscape(unit);
            bytes += escape.empty() ? 1 : escape.size();
            ++position;
        } else {
            bytes += Utf8Length(DecodeUtf16(text, position));
        }
    }
    return bytes;
}

char* PutLegalText(char* out, std::u16string_view text) {
    for (std::size_t position = 0; position < text.size();) {
        const char16_t unit = text[position];
        if (unit < 0x80) {
            const std::string_view escape = AsciiEscape(unit);
            if (escape.empty()) {
                *out++ = static_cast<char>(unit);
            } else {
                out = Put(out, escape);
            }
            ++position;
        } else {
            out = EncodeUtf8(DecodeUtf16(text, position), out);
        }
    }
    return out;
}

}  // namespace

void XmlWriter::FreeBuffer::operator()(char* buffer) const {
    std::free(buffer);
}

XmlWriter::XmlWriter(TextRules& textRules)
    : textRules_(textRules), buffer_(static_cast<char*>(std::malloc(kGrowthStep))), capacity_(kGrowthStep) {
    if (!buffer_) ThrowAllocationFailure();
    buffer_[0] = '\0';
    try {
        stack_.reserve(kUsualDepth);
    } catch (const std::bad_alloc&) {
        ThrowAllocationFailure();
    }
}

XmlWriter::~XmlWriter() = default;

// Makes room for `bytes` more bytes and the terminator. The buffer grows in steps of 32 KiB,
// by the append's own size on top for a single append larger than a step; once it holds
// more than two steps, a step is half of what it holds, so a large document costs copying
// in proportion to its size rather than to its square. A failed growth leaves the text as
// it was.
void XmlWriter::Reserve(std::size_t bytes) {
    if (bytes < capacity_ - length_) return;
    const std::uint64_t step = std::max<std::uint64_t>(kGrowthStep, capacity_ / 2);
    std::uint64_t grown = std::uint64_t{capacity_} + step;
    if (bytes + 1 > kGrowthStep) grown += bytes;
    if (grown > UINT32_MAX) ThrowAllocationFailure();
    char* larger = static_cast<char*>(std::realloc(buffer_.get(), static_cast<std::size_t>(grown)));
    if (larger == nullptr) ThrowAllocationFailure();  // the old block is still ours, unchanged
    static_cast<void>(buffer_.release());
    buffer_.reset(larger);
    capacity_ = static_cast<std::uint32_t>(grown);
}

char* XmlWriter::RoomFor(std::size_t bytes) {
    return bytes < capacity_ - length_ ? buffer_.get() + length_ : nullptr;
}

void XmlWriter::EndAt(char* end) {
    length_ = static_cast<std::uint32_t>(end - buffer_.get());
    buffer_[length_] = '\0';
}

std::size_t XmlWriter::IndentWidth() const {
    return prettyPrint_ ? static_cast<std::size_t>(indentWidth_ * depth_) : 0;
}

std::size_t XmlWriter::LineEndWidth() const {
    return prettyPrint_ ? 2 : 0;
}

char* XmlWriter::PutIndent(char* out) const {
    const std::size_t width = IndentWidth();
    std::memset(out, '\t', width);
    return out + width;
}

char* XmlWriter::PutLineEnd(char* out) const {
    return prettyPrint_ ? Put(out, "\r\n") : out;
}

void XmlWriter::AppendBytes(std::string_view bytes) {
    Reserve(bytes.size());
    std::memcpy(buffer_.get() + length_, bytes.data(), bytes.size());
    length_ += static_cast<std::uint32_t>(bytes.size());
    buffer_[length_] = '\0';
}

// Appends bytes that stand earlier in the buffer itself (the name of an open element).
void XmlWriter::AppendOwnBytes(std::uint32_t offset, std::uint32_t length) {
    Reserve(length);
    std::memcpy(buffer_.get() + length_, buffer_.get() + offset, length);
    length_ += length;
    buffer_[length_] = '\0';
}

void XmlWriter::NewLine() {
    if (prettyPrint_) AppendBytes("\r\n");
}

void XmlWriter::AppendChars(char c, std::uint32_t count) {
    Reserve(count);
    std::memset(buffer_.get() + length_, c, count);
    length_ += count;
    buffer_[length_] = '\0';
}

void XmlWriter::AppendText(std::string_view text) {
    AppendBytes(text);
}

void XmlWriter::Indent() {
    if (prettyPrint_) AppendChars('\t', static_cast<std::uint32_t>(indentWidth_ * depth_));
}

void XmlWriter::PushElement(std::string_view name, std::optional<std::string_view> attributes) {
    try {
        stack_.reserve(stack_.size() + 1);
    } catch (const std::bad_alloc&) {
        ThrowAllocationFailure();
    }
    ElementEntry entry{0, static_cast<std::uint32_t>(name.size()), length_, 0};
    entry.nameOffset = static_cast<std::uint32_t>(length_ + IndentWidth() + 1);
    const std::size_t attributeBytes = attributes ? 1 + attributes->size() : 0;
    if (char* out = RoomFor(IndentWidth() + name.size() + attributeBytes + 2 + LineEndWidth())) {
        out = PutIndent(out);
        *out++ = '<';
        out = Put(out, name);
        if (attributes) {
            *out++ = ' ';
            out = Put(out, *attributes);
        }
        *out++ = '>';
        EndAt(PutLineEnd(out));
    } else {
        Indent();
        AppendBytes("<");
        AppendBytes(name);
        if (attributes) {
            AppendBytes(" ");
            AppendBytes(*attributes);
        }
        AppendBytes(">");
        NewLine();
    }
    ++depth_;
    entry.contentOffset = length_;
    stack_.push_back(entry);
}

bool XmlWriter::PopElement(bool dropIfEmpty) {
    if (stack_.empty()) throw XmlWriterError(kMissingPushElement);
    const ElementEntry entry = stack_.back();
    stack_.pop_back();
    --depth_;
    if (dropIfEmpty && entry.contentOffset == length_) {
        TruncateTo(entry.startOffset);
        return false;
    }
    if (char* out = RoomFor(IndentWidth() + entry.nameLength + 3 + LineEndWidth())) {
        out = PutIndent(out);
        out = Put(out, "</");
        std::memcpy(out, buffer_.get() + entry.nameOffset, entry.nameLength);
        out += entry.nameLength;
        *out++ = '>';
        EndAt(PutLineEnd(out));
        return true;
    }
    Indent();
    AppendBytes("</");
    AppendOwnBytes(entry.nameOffset, entry.nameLength);
    AppendBytes(">");
    NewLine();
    return true;
}

void XmlWriter::CancelElement() {
    if (stack_.empty()) throw XmlWriterError(kMissingPushElement);
    TruncateTo(stack_.back().startOffset);
    stack_.pop_back();
    --depth_;
}

void XmlWriter::TruncateTo(std::uint32_t length) {
    length_ = length;
    buffer_[length_] = '\0';
}

template <typename PutText>
char* XmlWriter::PutLeafElement(char* out, std::string_view name, PutText putText) const {
    out = PutIndent(out);
    *out++ = '<';
    out = Put(out, name);
    *out++ = '>';
    out = putText(out);
    out = Put(out, "</");
    out = Put(out, name);
    *out++ = '>';
    return PutLineEnd(out);
}

void XmlWriter::WriteElement(std::string_view name, std::string_view text) {
    if (char* out = RoomFor(IndentWidth() + 2 * name.size() + text.size() + 5 + LineEndWidth())) {
        EndAt(PutLeafElement(out, name, [text](char* at) { return Put(at, text); }));
        return;
    }
    Indent();
    AppendBytes("<");
    AppendBytes(name);
    AppendBytes(">");
    AppendBytes(text);
    AppendBytes("</");
    AppendBytes(name);
    AppendBytes(">");
    NewLine();
}

// Every piece is copied at its full width (the indentation, each tag's slot) where the buffer
// has room for that, and the position then advances by the piece's own length: the bytes
// past the leaf's end are written over by what follows, or stand after the terminator.
template <typename PutText>
bool XmlWriter::PutTaggedLeaf(const ElementTags& tags, std::size_t textBytes, PutText putText) {
    const std::size_t indent = IndentWidth();
    if (!prettyPrint_ || indent > kTabRun) return false;
    char* out = RoomFor(kTabRun + 2 * ElementTags::kSlot + textBytes);
    if (out == nullptr) return false;
    std::memcpy(out, kTabs.data(), kTabRun);
    out += indent;
    std::memcpy(out, tags.start.data(), ElementTags::kSlot);
    out = putText(out + tags.startLength);
    std::memcpy(out, tags.end.data(), ElementTags::kSlot);
    EndAt(out + tags.endLength);
    return true;
}

void XmlWriter::WriteElement(const ElementTags& tags, std::string_view text) {
    if (PutTaggedLeaf(tags, text.size(), [text](char* out) { return PutShort(out, text); })) return;
    WriteElement(tags.Name(), text);
}

void XmlWriter::WriteDecimalElement(const ElementTags& tags, std::int32_t stored, std::int32_t decimals) {
    const auto put = [stored, decimals](char* out) { return PutDecimal(out, stored, decimals); };
    if (PutTaggedLeaf(tags, kWidestDecimal, put)) return;
    WriteElement(tags.Name(), NumberText::Decimal(stored, decimals).View());
}

void XmlWriter::WriteIntElement(std::string_view name, std::int32_t value) {
    WriteElement(name, NumberText::Integer(value).View());
}

void XmlWriter::WriteDoubleElement(std::string_view name, double value, std::int32_t decimals) {
    WriteElement(name, NumberText::Fixed(value, decimals).View());
}

// The common case of record text, written straight from the record's units: nothing to
// report (every character legal, the log off) and room in the buffer. Returns false,
// having written nothing, in every other case.
bool XmlWriter::WriteLegalTextElement(std::string_view name, std::u16string_view text) {
    if (textRules_.LogEnabled()) return false;
    const ValidCharTable& table = textRules_.LegalCharacters();
    for (const char16_t unit : text) {
        if (!table.IsLegal(unit)) return false;
    }
    if (text.size() > (UINT32_MAX - capacity_) / kWidestUnit) return false;
    const std::size_t textBytes = LegalTextBytes(text);
    char* out = RoomFor(IndentWidth() + 2 * name.size() + textBytes + 5 + LineEndWidth());
    if (out == nullptr) return false;
    EndAt(PutLeafElement(out, name, [text](char* at) { return PutLegalText(at, text); }));
    return true;
}

void XmlWriter::WriteStringElement(std::string_view name, std::optional<std::u16string_view> text) {
    // An empty text takes the long way: it is reported as a failed conversion.
    if (text && !text->empty() && WriteLegalTextElement(name, *text)) return;
    bool changed = false;
    const std::optional<std::u16string> legal = GetLegalXMLString(textRules_, name, text, changed, false);
    if (!legal) return;
    if (changed) {
        std::array<char16_t, kCommentNameUnits> nameBuffer{};
        const std::u16string_view wideName = Utf8ToWideInto(nameBuffer, name);
        bool substitutedChanged = false;
        const std::optional<std::u16string> substituted =
            GetLegalXMLString(textRules_, name, text, substitutedChanged, true);
        WriteCommentW(FormatTextCut(
            kMaxCommentLength,
            u" Element %s contains illegal characters, illegal characters substituted with hex values: '%s'",
            wideName, substituted.value_or(std::u16string())));
    }
    const std::optional<std::string> utf8 = WideToUtf8(*legal);
    if (!utf8) WriteComment(FormatText("Error converting element %s from UTF16 to UTF8", name));
    WriteElement(name, utf8.value_or(std::string()));
}

void XmlWriter::WriteComment(std::string_view text) {
    WriteCommentLine(CutUtf8(text, kMaxCommentLength));
}

void XmlWriter::WriteCommentW(std::u16string_view text) {
    const std::optional<std::string> utf8 = WideToUtf8(CutUtf16(text, kMaxCommentLength));
    if (utf8) WriteCommentLine(*utf8);
}

void XmlWriter::WriteCommentLine(std::string_view text) {
    try {
        commentScratch_.clear();
        commentScratch_.reserve(text.size());
        AppendCommentSafe(commentScratch_, text);
    } catch (const std::bad_alloc&) {
        ThrowAllocationFailure();
    }
    Indent();
    AppendBytes("<!--");
    AppendBytes(commentScratch_);
    AppendBytes(" -->");
    NewLine();
}

std::string_view XmlWriter::Text() const {
    return {buffer_.get(), length_};
}
std::uint32_t XmlWriter::Length() const {
    return length_;
}
std::uint32_t XmlWriter::Capacity() const {
    return capacity_;
}
std::int32_t XmlWriter::Depth() const {
    return depth_;
}

}  // namespace audiogram
