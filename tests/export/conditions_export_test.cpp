// The measurement conditions, the notes and the tone-average masks of built records as the
// export writes them; the documents are in golden/conditions.txt.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "export/measurement_conditions_export.h"
#include "records/missing_value.h"
#include "support/golden.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;
using namespace meas_cond;
constexpr std::size_t kMasking = kPairEntrySize;

struct Field {
    std::size_t offset;
    std::int16_t value;
};

// The first tone-threshold curve with one point and the given conditions.
Record200Builder ToneCurve(std::initializer_list<Field> fields) {
    Record200Builder record;
    CurveWriter curve = record.Curve(Section::ToneThreshold, 0).Point(0, {1000});
    for (const Field& field : fields) StoreI16(curve.Bytes(), field.offset, field.value);
    return record;
}

std::string CodedAndNumberRows() {
    // Coded rows are written always (a missing value gets its default), left out when
    // missing, or left out when 1; invalid codes are replaced by the default.
    std::string documents =
        NamedExport("coded rows", ToneCurve({{kSignalType, M},
                                             {kSignalType + kMasking, 42},
                                             {kSignalOutput, M},
                                             {kSignalOutput + kMasking, 99},
                                             {kdBWeighting, M},
                                             {kdBWeighting + kMasking, 9},
                                             {kPresentationType, M},
                                             {kTransducerType, 0},
                                             {kTransducerType + kMasking, 1},
                                             {kTransducerCalibrationStandard, -1},
                                             {kTransducerCalibrationStandard + kMasking, M},
                                             {kHearingInstrumentCondition, 2},
                                             {kAuxiliary, 1},
                                             {kAuxiliary + kMasking, 13},
                                             {kSpeechThresholdType, 1}}));
    // One row of each number form; texts escaped, left out when the count is out of range or
    // disagrees, and ended at their field's end (never in the next field) without a terminator.
    Record200Builder record = ToneCurve({{kSignalType, 2},
                                         {kSpeechThresholdType, 2},
                                         {kOnTime, 250},
                                         {kOffTime + kMasking, 0},
                                         {kSiSiParameter, -5},
                                         {kWarbleModulation, -3},
                                         {kWarbleModulationSize + kMasking, 0},
                                         {kFrequencyModulation, 1250},
                                         {kAmplitudeModulation + kMasking, 5},
                                         {kPulseModulation, 32767},
                                         {kPulseCycle + kMasking, 100}});
    const MutableByteSpan curve = record.Curve(Section::ToneThreshold, 0).Bytes();
    StoreText(curve, kTransducerDescription, u"ABCDEFGHIJKLMNOP", 15);  // no room for the terminator
    StoreText(curve, kHearingInstrumentDescription, u"sixteen units!!!", 16);
    StoreText(curve, kWordListName, u"List", 5);
    StoreText(curve, kAuxiliaryParameterDescription, u"A&B<\"C\">", 8);
    return documents + NamedExport("numbers and texts", record);
}

// The tone notes' bare date is completed by the dispatcher; the speech notes show the
// export's own date rule.
std::string NotesAndMasks() {
    namespace n = record200::notes;
    const struct {
        std::u16string_view date, zone;
        std::uint16_t zoneCount;
    } cases[] = {
        {u"2009-03-17", u"", 0},
        {u"2009-03-17T10:30:00", u"+01:00", 6},
        {u"2009-03-17Z", u"+02", 3},
        {u"2009/03/17", u"", 0},
        {u"2009-3-17", u"", 0},
        {u"2009--03-17", u"", 0},
        {u"2009-0\x01-17", u"", 0},
        {u"2009-03-17", u"+01:00", 7},  // zone count out of range: no leaf, no comment
    };
    std::string documents;
    for (const auto& c : cases) {
        Record200Builder record;
        record.Note(NotesBlock::Tone, n::kAudiometerMakeModel, u"AC40")
            .Note(NotesBlock::Tone, n::kAudiometerLastCalibration, u"2009-03-17")
            .Note(NotesBlock::Tone, n::kTestReliability, u"good")
            .Note(NotesBlock::Speech, n::kAudiometerLastCalibration, c.date);
        const MutableByteSpan bytes = record.MutableBytes();
        StoreText(bytes.subspan(record200::kToneNotesOffset), n::kAudiometerSerialNumber, u"S-1", 41);
        StoreText(bytes.subspan(record200::kSpeechNotesOffset), n::kAudiometerLastCalibrationTimeZone, c.zone,
                  c.zoneCount);
        documents += NamedExport("notes, zone count " + std::to_string(c.zoneCount), record);
    }
    namespace t = record200::tone_average;
    Record200Builder masks;
    masks.ToneAverage(t::kLeftEar1, 0x0050).ToneAverage(t::kRightEar1, 0x8001).ToneAverage(t::kRightEar2, 2);
    return documents + NamedExport("mask bits from low to high", masks);
}

TEST(ConditionsExport, DocumentsMatchTheirGoldenFile) {
    EXPECT_TRUE(MatchesGolden("conditions.txt", CodedAndNumberRows() + NotesAndMasks()));
}

TEST(ConditionsExport, ReadCountedText15) {
    const struct {
        std::vector<std::uint16_t> units;  // u0 (the count) to u16
        std::optional<std::u16string> text;
    } cases[] = {
        {{3, 'a', 'b', 'c', 0}, u"abc"},
        {{0, 'a', 'b', 0}, std::nullopt},       // no count, no text
        {{4, 'a', 'b', 'c', 0}, std::nullopt},  // count disagrees
        {{15, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 0},
         u"abcdefghijklmno"},
        {{16, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'}, std::nullopt},
        {{'x', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, u"xy"},  // length in the last unit
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> area(kWordListName.Size(), 0);
        for (std::size_t i = 0; i < c.units.size(); ++i) StoreU16(area, 2 * i, c.units[i]);
        CountedText15Units units;
        const auto text = ReadCountedText15(area, CountedTextField{0, 15}, units);
        EXPECT_EQ(text ? std::optional<std::u16string>(*text) : std::nullopt, c.text) << c.units.size();
    }
}

}  // namespace
}  // namespace audiogram::testing
