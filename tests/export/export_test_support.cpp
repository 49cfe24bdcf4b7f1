#include "export_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "records/empty_record.h"
#include "records/meas_cond_layout.h"
#include "service/blob_dispatcher.h"
#include "support/scoped_program_data.h"

namespace audiogram::testing {

// Documents must not depend on the machine's configuration: defaults, logging off.
static auto* const kIsolated = ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);

TestRecord::TestRecord() { MakeEmptyRecord200(bytes); }

MutableByteSpan TestRecord::CurveBytes(Section section, std::size_t slot) {
    const SectionLayout& layout = record200::SectionOf(section);
    return MutableByteSpan(bytes).subspan(layout.CurveOffset(slot), layout.curve.size);
}

TestRecord& TestRecord::Use(Section section, std::size_t slot) {
    return Cond(section, slot, meas_cond::kSignalType, 2);
}

TestRecord& TestRecord::Cond(Section section, std::size_t slot, std::size_t offset, std::int16_t value) {
    StoreI16(CurveBytes(section, slot), offset, value);
    return *this;
}

TestRecord& TestRecord::CondText(Section section, std::size_t slot, CountedTextField field, std::u16string_view text,
                                 std::optional<std::uint16_t> count) {
    StoreText(CurveBytes(section, slot), field, text, count);
    return *this;
}

TestRecord& TestRecord::Point(Section section, std::size_t slot, std::size_t index,
                              const std::vector<std::int16_t>& fields) {
    const CurveLayout curve = record200::SectionOf(section).curve;
    std::size_t offset = curve.PointOffset(index);
    for (const std::int16_t value : fields) {
        StoreI16(CurveBytes(section, slot), offset, value);
        offset += 2;
    }
    return *this;
}

TestRecord& TestRecord::Note(std::size_t blockOffset, CountedTextField field, std::u16string_view text,
                             std::optional<std::uint16_t> count) {
    StoreText(MutableByteSpan(bytes).subspan(blockOffset, record200::notes::kSize), field, text, count);
    return *this;
}

TestRecord& TestRecord::Mask(std::size_t maskOffset, std::uint16_t mask) {
    StoreU16(bytes, record200::kToneAverageOffset + maskOffset, mask);
    return *this;
}

void StoreText(MutableByteSpan area, CountedTextField field, std::u16string_view text,
               std::optional<std::uint16_t> count) {
    for (std::size_t i = 0; i < text.size() && i < field.UnitSlots(); ++i) {
        StoreU16(area, field.UnitsOffset() + 2 * i, text[i]);
    }
    if (text.size() < field.UnitSlots()) StoreU16(area, field.UnitsOffset() + 2 * text.size(), 0);
    StoreU16(area, field.offset, count.value_or(static_cast<std::uint16_t>(text.size())));
}

std::string ExportDocument(const Record200Bytes& record, std::vector<std::uint8_t> extension) {
    Blob source(record.begin(), record.end());
    source.insert(source.end(), extension.begin(), extension.end());
    Blob result;
    EXPECT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard200, source, result), kStatusOk);
    std::string document(result.begin(), result.end());
    EXPECT_EQ(LintErrors({document}), "") << document;
    return document;
}

std::string LintErrors(const std::vector<std::string>& documents) {
    // Test processes may run side by side: each check gets a folder of its own.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("export_tests_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path report = folder / "xmllint.txt";
    std::string command = std::string(AUDCONV_XMLLINT) + " --noout";
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::filesystem::path file = folder / ("document" + std::to_string(i) + ".xml");
        std::ofstream(file, std::ios::binary) << documents[i];
        command += " " + file.string();
    }
    command += " > " + report.string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream reportFile(report);
    std::string errors((std::istreambuf_iterator<char>(reportFile)), std::istreambuf_iterator<char>());
    if (status != 0 && errors.empty()) errors = "xmllint failed to run: " + command;
    std::filesystem::remove_all(folder);
    return status == 0 ? std::string() : errors;
}

std::string At(int depth, std::string_view text) {
    return std::string(static_cast<std::size_t>(depth), '\t') + std::string(text) + "\r\n";
}

std::string Document(std::string_view body) {
    return At(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>") +
           At(0, "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" "
                 "xmlns=\"http://www.torva.com/Measurement/Audiogram\">") +
           std::string(body) + At(0, "</TORVAAudiometricStandard>");
}

std::string UsedConditions(std::initializer_list<std::string_view> extra) {
    std::string lines = At(2, "<AudMeasurementConditions>") +
                        At(3, "<StimulusSignalType>PureTone</StimulusSignalType>") +
                        At(3, "<MaskingSignalType>NoSignalApplied</MaskingSignalType>") +
                        At(3, "<StimulusSignalOutput>NoSignalOutput</StimulusSignalOutput>") +
                        At(3, "<MaskingSignalOutput>NoSignalOutput</MaskingSignalOutput>") +
                        At(3, "<StimulusdBWeighting>NodBWeighting</StimulusdBWeighting>") +
                        At(3, "<MaskingdBWeighting>NodBWeighting</MaskingdBWeighting>") +
                        At(3, "<StimulusPresentationType>NoPresentationType</StimulusPresentationType>") +
                        At(3, "<MaskingPresentationType>NoPresentationType</MaskingPresentationType>");
    for (const std::string_view line : extra) lines += At(3, line);
    return lines + At(2, "</AudMeasurementConditions>");
}

}  // namespace audiogram::testing
