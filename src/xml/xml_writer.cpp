#include "xml/xml_writer.h"

#include <cstring>
#include <new>

#include "support/message_format.h"
#include "xml/comment_text.h"
#include "xml/number_text.h"
#include "xml/text_legality.h"

namespace audiogram {

struct XmlWriter::ElementEntry {
    std::string name;                 // written again in the end tag
    std::uint32_t startOffset = 0;    // Length before the start tag's indentation
    std::uint32_t contentOffset = 0;  // Length after the start tag's line end
};

namespace {

constexpr const char* kAllocationFailure = "Memory allocation failure!";
constexpr const char* kMissingPushElement = "Missing PushElement failure!";
// The name in the illegal-characters comment went through a 200-byte UTF-16 buffer.
constexpr std::size_t kCommentNameUnits = 100;

[[noreturn]] void ThrowAllocationFailure() {
    throw XmlWriterError(kAllocationFailure);
}

}  // namespace

XmlWriter::XmlWriter() : buffer_(new (std::nothrow) char[kGrowthStep]), capacity_(kGrowthStep) {
    if (!buffer_) ThrowAllocationFailure();
    buffer_[0] = '\0';
}

XmlWriter::~XmlWriter() = default;

// Makes room for `bytes` more bytes and the terminator. The buffer grows in fixed steps,
// by the append's own size on top for a single append larger than a step. A failed
// growth leaves the text as it was.
void XmlWriter::Reserve(std::size_t bytes) {
    if (bytes < capacity_ - length_) return;
    std::uint64_t grown = std::uint64_t{capacity_} + kGrowthStep;
    if (bytes + 1 > kGrowthStep) grown += bytes;
    if (grown > UINT32_MAX) ThrowAllocationFailure();
    std::unique_ptr<char[]> larger(new (std::nothrow) char[static_cast<std::size_t>(grown)]);
    if (!larger) ThrowAllocationFailure();
    std::memcpy(larger.get(), buffer_.get(), std::size_t{length_} + 1);
    buffer_ = std::move(larger);
    capacity_ = static_cast<std::uint32_t>(grown);
}

void XmlWriter::AppendBytes(std::string_view bytes) {
    Reserve(bytes.size());
    std::memcpy(buffer_.get() + length_, bytes.data(), bytes.size());
    length_ += static_cast<std::uint32_t>(bytes.size());
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
        ElementEntry entry{std::string(name), length_, 0};
        Indent();
        AppendBytes("<");
        AppendBytes(name);
        if (attributes) {
            AppendBytes(" ");
            AppendBytes(*attributes);
        }
        AppendBytes(">");
        NewLine();
        ++depth_;
        entry.contentOffset = length_;
        stack_.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        ThrowAllocationFailure();
    }
}

bool XmlWriter::PopElement(bool dropIfEmpty) {
    if (stack_.empty()) throw XmlWriterError(kMissingPushElement);
    const ElementEntry entry = std::move(stack_.back());
    stack_.pop_back();
    --depth_;
    if (dropIfEmpty && entry.contentOffset == length_) {
        TruncateTo(entry.startOffset);
        return false;
    }
    Indent();
    AppendBytes("</");
    AppendBytes(entry.name);
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

void XmlWriter::WriteElement(std::string_view name, std::string_view text) {
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

void XmlWriter::WriteIntElement(std::string_view name, std::int32_t value) {
    WriteElement(name, NumberText::Integer(value).View());
}

void XmlWriter::WriteDoubleElement(std::string_view name, double value, std::int32_t decimals) {
    WriteElement(name, NumberText::Fixed(value, decimals).View());
}

void XmlWriter::WriteStringElement(std::string_view name, std::optional<std::u16string_view> text) {
    bool changed = false;
    const std::optional<std::u16string> legal = GetLegalXMLString(name, text, changed, false);
    if (!legal) return;
    if (changed) {
        std::array<char16_t, kCommentNameUnits> nameBuffer{};
        const std::u16string_view wideName = Utf8ToWideInto(nameBuffer, name);
        bool substitutedChanged = false;
        const std::optional<std::u16string> substituted =
            GetLegalXMLString(name, text, substitutedChanged, true);
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
    std::string safe;
    try {
        safe.reserve(text.size());
        AppendCommentSafe(safe, text);
    } catch (const std::bad_alloc&) {
        ThrowAllocationFailure();
    }
    Indent();
    AppendBytes("<!--");
    AppendBytes(safe);
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
