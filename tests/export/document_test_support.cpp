#include "document_test_support.h"

#include <algorithm>
#include <cstdio>

#include "well_formed_xml.h"

namespace audiogram::testing {

void StoreText(MutableByteSpan area, CountedTextField field, std::u16string_view text, std::uint16_t count) {
    for (std::size_t i = 0; i < text.size() && i < field.UnitSlots(); ++i) {
        StoreU16(area, field.UnitsOffset() + 2 * i, text[i]);
    }
    if (text.size() < field.UnitSlots()) StoreU16(area, field.UnitsOffset() + 2 * text.size(), 0);
    StoreU16(area, field.offset, count);
}

std::string Export(ByteSpan blob) {
    Blob source(blob.begin(), blob.end());
    Blob result;
    EXPECT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard200, source, result), kStatusOk);
    return {result.begin(), result.end()};
}

std::string NamedExport(std::string_view name, ByteSpan blob, DataStandard from) {
    Blob source(blob.begin(), blob.end());
    Blob result;
    EXPECT_EQ(ConvertDataBlob(kDataStandard500, from, source, result), kStatusOk) << name;
    const std::string document(result.begin(), result.end());
    EXPECT_EQ(WellFormednessProblem(document), "") << name;
    return "== " + std::string(name) + "\n" + document;
}

std::string At(int depth, std::string_view text) {
    return std::string(static_cast<std::size_t>(depth), '\t') + std::string(text) + "\r\n";
}

std::string Leaves(int depth, std::string_view parts) {
    std::string lines;
    for (std::size_t begin = 0; begin < parts.size();) {
        const std::size_t end = std::min(parts.find('|', begin), parts.size());
        const std::string part(parts.substr(begin, end - begin));
        const std::string name = part.substr(0, part.find('='));
        lines += At(depth, part.starts_with('<')
                               ? part
                               : "<" + name + ">" + part.substr(name.size() + 1) + "</" + name + ">");
        begin = end + 1;
    }
    return lines;
}

std::string Element(int depth, std::string_view name, const std::string& inner) {
    return At(depth, "<" + std::string(name) + ">") + inner + At(depth, "</" + std::string(name) + ">");
}

std::string Document(std::string_view body) {
    return At(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>") +
           At(0,
              "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" "
              "xmlns=\"http://www.torva.com/Measurement/Audiogram\">") +
           std::string(body) + At(0, "</TORVAAudiometricStandard>");
}

std::string Shown(std::u16string_view text) {
    std::string shown;
    for (const char16_t unit : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
        shown += unit >= 0x20 && unit < 0x7F ? std::string(1, static_cast<char>(unit)) : std::string(escaped);
    }
    return shown;
}

std::optional<Blob> Import(std::string_view document) {
    Blob source(document.begin(), document.end());
    Blob result{1, 2, 3};
    const HResult status = ConvertDataBlob(kDataStandard200, kDataStandard500, source, result);
    if (status == kStatusOk) return result;
    EXPECT_EQ(status, kStatusFail);
    EXPECT_EQ(result, (Blob{1, 2, 3}));
    return std::nullopt;
}

::testing::AssertionResult SameBytes(ByteSpan actual, ByteSpan expected) {
    if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "size " << actual.size();
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    if (a == actual.end()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "byte " << (a - actual.begin()) << " is " << int{*a} << ", not "
                                         << int{*e};
}

}  // namespace audiogram::testing
