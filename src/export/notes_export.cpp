#include "export/notes_export.h"

#include <algorithm>
#include <array>
#include <string>

#include "schema/schema_positions.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

namespace fields = record200::notes;
namespace pos = schema::notes;

constexpr std::u16string_view kMidnight = u"T00:00:00";
constexpr std::u16string_view kDateErrorPrefix = u"Error DateOfLastCalibration DateTime string: ";
constexpr std::size_t kBareDateLength = 10;
constexpr std::size_t kMaxZoneCount = 6;

struct NoteText {
    std::int32_t position;
    CountedTextField field;
};

// The plain texts; the calibration date stands between the serial number and the method.
constexpr std::array kLeadingTexts = {
    NoteText{pos::kAudiometerMakeModel, fields::kAudiometerMakeModel},
    NoteText{pos::kAudiometerSerialNumber, fields::kAudiometerSerialNumber}};
constexpr std::array kTrailingTexts = {NoteText{pos::kTestMethod, fields::kTestMethod},
                                       NoteText{pos::kTestReliability, fields::kTestReliability}};

bool CountFits(ByteSpan block, CountedTextField field, std::size_t low) {
    const std::uint16_t count = TextCount(block, field);
    return count >= low && count <= field.capacity;
}

// The count only decides whether the leaf is written; the text runs to its terminator.
void WriteNoteText(ExportContext& context, std::int32_t notesList, ByteSpan block, const NoteText& note) {
    if (!CountFits(block, note.field, 1)) return;
    context.writer.WriteStringElement(context.Name(notesList, note.position),
                                      CountedTextUnits(block, note.field).View());
}

// YYYY-MM-DD at the start; months, days and anything after the tenth character are not examined.
bool BeginsWithDate(std::u16string_view date) {
    if (date.size() < kBareDateLength) return false;
    return IsDigits(date.substr(0, 4)) && date[4] == u'-' && IsDigits(date.substr(5, 2)) && date[7] == u'-' &&
           IsDigits(date.substr(8, 2));
}

void WriteCalibrationDate(ExportContext& context, std::int32_t notesList, ByteSpan block) {
    if (!CountFits(block, fields::kAudiometerLastCalibration, 1)) return;
    if (!CountFits(block, fields::kAudiometerLastCalibrationTimeZone, 0)) return;
    static_assert(fields::kAudiometerLastCalibrationTimeZone.capacity == kMaxZoneCount);

    const CountedTextUnits dateUnits(block, fields::kAudiometerLastCalibration);
    const std::u16string_view date = dateUnits.View();
    if (!BeginsWithDate(date)) {
        context.writer.WriteCommentW(std::u16string(kDateErrorPrefix) + std::u16string(date));
        return;
    }
    // The date, midnight for a bare date, then the zone: composed in place.
    std::array<char16_t, fields::kAudiometerLastCalibration.UnitSlots() + kMidnight.size() +
                             fields::kAudiometerLastCalibrationTimeZone.UnitSlots()>
        composed;
    auto end = std::copy(date.begin(), date.end(), composed.begin());
    if (date.size() == kBareDateLength && date.find(u'T') == std::u16string_view::npos) {
        end = std::copy(kMidnight.begin(), kMidnight.end(), end);
    }
    const CountedTextUnits zone(block, fields::kAudiometerLastCalibrationTimeZone);
    end = std::copy(zone.View().begin(), zone.View().end(), end);
    context.writer.WriteStringElement(
        context.Name(notesList, pos::kAudiometerLastCalibration),
        std::u16string_view(composed.data(), static_cast<std::size_t>(end - composed.begin())));
}

struct MaskLeaf {
    std::int32_t position;
    std::size_t offset;
};
constexpr std::array kMaskLeaves = {
    MaskLeaf{schema::tone_average::kLeftEar1, record200::tone_average::kLeftEar1},
    MaskLeaf{schema::tone_average::kLeftEar2, record200::tone_average::kLeftEar2},
    MaskLeaf{schema::tone_average::kRightEar1, record200::tone_average::kRightEar1},
    MaskLeaf{schema::tone_average::kRightEar2, record200::tone_average::kRightEar2},
};

}  // namespace

std::int32_t WriteNotes(ExportContext& context, std::int32_t notesList, ByteSpan block) {
    for (const NoteText& note : kLeadingTexts) WriteNoteText(context, notesList, block, note);
    WriteCalibrationDate(context, notesList, block);
    for (const NoteText& note : kTrailingTexts) WriteNoteText(context, notesList, block, note);
    return 0;
}

std::int32_t WriteToneAverageFrequencies(ExportContext& context, ByteSpan masks) {
    bool anySet = false;
    for (const MaskLeaf& leaf : kMaskLeaves) anySet = anySet || LoadU16(masks, leaf.offset) != 0;
    if (!anySet) return 0;

    const std::int32_t list = schema::kToneAverageList;
    context.writer.PushElement(context.Name(list, 0));
    for (const MaskLeaf& leaf : kMaskLeaves) {
        const std::uint16_t mask = LoadU16(masks, leaf.offset);
        for (std::uint32_t bit = 1; bit <= 0x8000u; bit <<= 1) {
            if ((mask & bit) == 0) continue;
            // Every bit value has a frequency name; the end mark's name would only show a broken table.
            context.writer.WriteElement(
                context.Name(list, leaf.position),
                context.table.ReplacementName(EnumTable::Frequency, static_cast<std::int32_t>(bit)));
        }
    }
    context.writer.PopElement(true);
    return 0;
}

bool IsDigits(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

}  // namespace audiogram
