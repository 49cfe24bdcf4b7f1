#include "document_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/scoped_program_data.h"

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

std::string ExportDocument(const Record200Builder& record, ByteSpan extension) {
    const Blob blob = record.ToBlob(extension);
    std::string document = Export(blob);
    EXPECT_TRUE(Xmllint("--noout", {document})) << document;
    return document;
}

::testing::AssertionResult Xmllint(std::string_view options, const std::vector<std::string>& documents,
                                   std::string* output) {
    const std::filesystem::path folder = MakeTemporaryFolder();
    std::string command = std::string(AUDCONV_XMLLINT) + " " + std::string(options);
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::filesystem::path file = folder / ("document" + std::to_string(i) + ".xml");
        WriteFileText(file, documents[i]);
        command += " " + file.string();
    }
    const std::filesystem::path report = folder / "xmllint.txt";
    const int status = std::system((command + " > " + report.string() + " 2>&1").c_str());
    const std::string text = ReadFileText(report);
    std::filesystem::remove_all(folder);
    if (output != nullptr) *output = text;
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << command << " failed: " << text;
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
           At(0, "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" "
                 "xmlns=\"http://www.torva.com/Measurement/Audiogram\">") +
           std::string(body) + At(0, "</TORVAAudiometricStandard>");
}

std::string UsedConditions(std::string_view extra) {
    return Element(2, "AudMeasurementConditions",
                   Leaves(3, "StimulusSignalType=PureTone|MaskingSignalType=NoSignalApplied|"
                             "StimulusSignalOutput=NoSignalOutput|MaskingSignalOutput=NoSignalOutput|"
                             "StimulusdBWeighting=NodBWeighting|MaskingdBWeighting=NodBWeighting|"
                             "StimulusPresentationType=NoPresentationType|"
                             "MaskingPresentationType=NoPresentationType") +
                       Leaves(3, extra));
}

}  // namespace audiogram::testing
