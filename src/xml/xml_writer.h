#pragma once
// A forward-only writer of indented XML over one growing byte buffer, with the power to
// take back an element that stayed empty and to discard an element with all it holds.
// Every line ends with CR LF; one TAB per nesting level.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "xml/element_tags.h"
#include "xml/text_rules.h"

namespace audiogram {

// Thrown with "Memory allocation failure!" or "Missing PushElement failure!".
class XmlWriterError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The allocation failure among them, which the caller reports as running out of memory.
class XmlWriterOutOfMemory : public XmlWriterError {
  public:
    using XmlWriterError::XmlWriterError;
};

class XmlWriter {
  public:
    // The first size of the buffer and its smallest growth step (see Reserve).
    static constexpr std::uint32_t kGrowthStep = 32768;

    // The rules decide how record text is made legal (WriteStringElement); the writer
    // keeps the reference, so they outlive it.
    explicit XmlWriter(TextRules& textRules);
    ~XmlWriter();
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    void NewLine();
    void AppendChars(char c, std::uint32_t count);
    void AppendText(std::string_view text);

    // Indentation, "<", name, then " " and the attribute text when given, ">", line end.
    void PushElement(std::string_view name, std::optional<std::string_view> attributes = std::nullopt);
    // Writes the end tag and returns true, or drops an element that stayed empty and
    // returns false.
    bool PopElement(bool dropIfEmpty);
    // Discards the innermost element with everything written since it was opened.
    void CancelElement();

    void WriteElement(std::string_view name, std::string_view text);
    // The same leaf by tags made beforehand, for the writers that know their elements ahead.
    void WriteElement(const ElementTags& tags, std::string_view text);
    // The leaf of the fixed-point number stored / 10^decimals (NumberText::Decimal's text),
    // its digits put straight into the document.
    void WriteDecimalElement(const ElementTags& tags, std::int32_t stored, std::int32_t decimals);
    void WriteIntElement(std::string_view name, std::int32_t value);                      // "%d"
    void WriteDoubleElement(std::string_view name, double value, std::int32_t decimals);  // "%.*f"
    // Record text: made legal, converted to UTF-8, with the comments that report
    // illegal characters and failed conversions. A null text writes nothing.
    void WriteStringElement(std::string_view name, std::optional<std::u16string_view> text);

    // A comment line: indentation, "<!--", the text, " -->", line end. The text is cut to
    // 1023 bytes and made safe for a comment: characters XML forbids become "[%X]" and a
    // '-' that follows another '-' gets a blank before it.
    void WriteComment(std::string_view text);
    // The same for a UTF-16 text (cut to 1023 units), converted to UTF-8; nothing is
    // written when the conversion yields nothing.
    void WriteCommentW(std::u16string_view text);

    // The document so far; the byte after it is always 0.
    std::string_view Text() const;
    std::uint32_t Length() const;
    std::uint32_t Capacity() const;
    std::int32_t Depth() const;

  private:
    struct ElementEntry;
    void Reserve(std::size_t bytes);
    void AppendBytes(std::string_view bytes);
    void AppendOwnBytes(std::uint32_t offset, std::uint32_t length);
    void Indent();
    std::size_t IndentWidth() const;
    std::size_t LineEndWidth() const;
    // Room for `bytes` more bytes and the terminator without growing, or null: callers then
    // take the append-by-append path, so the buffer grows exactly as it always has.
    char* RoomFor(std::size_t bytes);
    void EndAt(char* end);
    char* PutIndent(char* out) const;
    char* PutLineEnd(char* out) const;
    // A whole leaf "<name>text</name>" and its line end into room already made; putText
    // writes the text and returns the position after it.
    template <typename PutText>
    char* PutLeafElement(char* out, std::string_view name, PutText putText) const;
    // The leaf by its tags, its text of at most `textBytes` bytes put by putText; false,
    // having written nothing, where the buffer lacks room for copies at full width.
    template <typename PutText>
    bool PutTaggedLeaf(const ElementTags& tags, std::size_t textBytes, PutText putText);
    bool WriteLegalTextElement(std::string_view name, std::u16string_view text);
    void TruncateTo(std::uint32_t length);
    void WriteCommentLine(std::string_view text);

    TextRules& textRules_;
    std::int32_t depth_ = 0;
    std::int32_t indentWidth_ = 1;
    bool prettyPrint_ = true;
    // Grown with realloc, which extends the block in place or moves its pages where the
    // allocator can: a large document costs no copy of everything written per step.
    struct FreeBuffer {
        void operator()(char* buffer) const;
    };
    std::unique_ptr<char[], FreeBuffer> buffer_;
    std::uint32_t capacity_ = 0;
    std::uint32_t length_ = 0;
    std::vector<ElementEntry> stack_;
    std::string commentScratch_;  // reused by every comment of the document
};

}  // namespace audiogram
