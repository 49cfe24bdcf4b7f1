#pragma once
// AudiogramXmlReader: the pull parser of the import. It steps once through the UTF-8 bytes
// of a data standard 500 document, builds no tree, and hands its caller one element at a
// time as a position in the current list of the schema's element lists. Entering and leaving
// the lists (the root, a section, its measurement conditions or points) happens inside as
// start and end tags pass.
//
// The input ends at its first NUL byte or at the end of the bytes. The tokenizer works on
// a view of those bytes with fixed buffers of 249 units and a terminator; a longer token is
// cut and the rest of it consumed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "schema/schema_table.h"
#include "import/leaf_text.h"
#include "import/name_index.h"
#include "import/list_stack.h"
#include "records/little_endian.h"
#include "support/status.h"
#include "xml/text_rules.h"

namespace audiogram {

// The state of the tokenizer, which is also the kind of the token last returned.
enum class XmlTokenKind : std::int32_t {
    Prolog = 0,       // text before the first tag, such as a byte-order mark
    StartTag = 1,     // the name of a start tag
    EndTag = 2,       // the name of an end tag
    Content = 3,      // the text of an element
    Attribute = 4,    // an attribute's name with its "=", or its value without the quotes
    Markup = 6,       // inside "<!" or "<?" up to the next ">"; yields no token
    AfterMarkup = 7,  // text after a declaration, comment or processing instruction
};

// Set only by the fuzz target that reads every document with and without the quick paths
// of NextElement and compares the records: the general path alone must read them the same.
inline bool gQuickPathsOff{};

class AudiogramXmlReader {
  public:
    static constexpr std::int32_t kRootList = 1;

    // The escapes of element content are turned back under `textRules`, which outlive the reader.
    AudiogramXmlReader(const AudiogramSchemaTable& schema, ByteSpan document, TextRules& textRules);

    AudiogramXmlReader(const AudiogramXmlReader&) = delete;
    AudiogramXmlReader& operator=(const AudiogramXmlReader&) = delete;

    // The next token's kind and text, or a failure at the end of input. The text stays valid
    // until the next call.
    HResult ReadToken(XmlTokenKind& kind, std::u16string_view& text);

    // The position and code of the entry of `list` that the name selects, or a failure.
    Result<ChildMatch> FindChild(std::int32_t list, std::u16string_view name) const;

    // The position (> 0) of the next child of the current list, 0 at the end of the current
    // element, or a failure where the document cannot be read on. A leaf's text goes to
    // `text`; a child with a list of its own is entered and leaves `text` alone. An unknown
    // element below the root is skipped with everything inside it.
    Result<std::int32_t> NextElement(LeafText& text);

    // Skips the raw bytes up to the next "<", which stays for the next token; a failure at the
    // end of input.
    HResult SkipToNextTag();

    const AudiogramSchemaTable& Schema() const { return schema_; }
    std::int32_t CurrentList() const { return currentList_; }
    std::size_t Depth() const { return stack_.Depth(); }
    XmlTokenKind TokenState() const { return state_; }

  private:
    // The next token's kind, its bytes collected; false at the end of input. The text of
    // element content is converted at once (its escapes are turned back and logged); that
    // of names and attributes only when asked for, since the look-ups use the bytes.
    bool NextToken(XmlTokenKind& kind);
    std::u16string_view TokenText();
    std::optional<ChildMatch> FindTokenChild(std::int32_t list);
    // What the quick paths answer for a shape they leave to the general path: a status that is
    // no failure and no success. (Not an optional: the quick paths run for every element, and
    // a Result comes back in a register.)
    static constexpr HResult kNotQuick = 1;
    Result<std::int32_t> NextElementQuickly(LeafText& text);
    Result<std::int32_t> StartTagQuickly(std::size_t at, LeafText& text);
    Result<std::int32_t> EndTagQuickly(std::size_t at);
    std::size_t SkipIndentation(std::size_t at);
    ChildMatch LookUpName(std::size_t start, std::size_t end) const;
    ChildMatch ExpectedChild(std::size_t at, std::size_t& nameEnd);
    bool NameStandsAt(std::size_t at, std::size_t position) const;
    void SetToken(std::size_t start, std::size_t end, bool ascii);
    // The `count` bytes of the input from `at`, which the caller has checked lie inside it:
    // the quick paths take them without substr's check, whose throwing path kept substr
    // from being inlined there.
    std::string_view BytesAt(std::size_t at, std::size_t count) const { return {input_.data() + at, count}; }
    bool ScanToTokenStart();
    bool AtSelfClosingTag(bool& selfClosing);
    void CollectToken();
    void ConvertToken();
    HResult SkipElement();

    const AudiogramSchemaTable& schema_;
    TextRules& textRules_;
    // With the switch set, the quick paths know no name, so they leave every element to the
    // general path; it is tested where names are looked up, not for every element.
    const bool quickPathsOff_ = gQuickPathsOff;
    std::string_view input_;
    std::size_t cursor_ = 0;
    // The first '>' at or after lookAheadFrom_ (input_.size() when there is none), so the
    // look-ahead of start tags never scans the same bytes twice.
    std::size_t lookAheadFrom_ = 0;
    std::size_t lookAheadHit_ = std::string_view::npos;

    XmlTokenKind state_ = XmlTokenKind::Prolog;
    bool tagOpened_ = false;  // the last token followed a '<'
    std::int32_t currentList_ = kRootList;
    ListStack stack_;

    // The entries of the current list that are found by their names, and the position of the
    // element last found in each list: the quick paths check the entries expected next
    // against the document before they look a name up.
    std::int32_t namedList_ = -1;
    std::span<const SchemaEntry> named_;
    std::array<std::size_t, AudiogramSchemaTable::kListCount + 1> lastFound_{};
    // The indentations last skipped, each with the byte after it (see SkipIndentation): the
    // one last matched first. None at first (a word of 1 under a mask of 0 matches nothing).
    struct Indentation {
        std::uint64_t word = 1;
        std::uint64_t mask = 0;
        std::size_t length = 0;
    };
    std::array<Indentation, 2> indents_{};

    // The token's bytes, at most kTokenCapacity of them, where they stand in the input.
    std::string_view raw_;
    bool rawIsAscii_ = true;
    std::array<char16_t, kTokenCapacity + 1> text_{};
    std::size_t textLength_ = 0;
    bool tokenConverted_ = false;
    // Reused for the escape replacement, so that a text with escapes costs no allocation.
    std::u16string escapeScratch_;
};

}  // namespace audiogram
