#include "export/notes_export.h"

#include <algorithm>
#include <array>
#include <string>

#include "export/field_export.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

namespace fields = record200::notes;

constexpr std::u16string_view kMidnight = u"T00:00:00";
constexpr std::u16string_view kDateErrorPrefix = u"Error DateOfLastCalibration DateTime string: ";
constexpr std::size_t kBareDateLength = 10;
constexpr std::size_t kMaxZoneCount = 6;

bool CountFits(ByteSpan block, CountedTextField field, std::size_t low) {
    const std::uint16_t count = TextCount(block, field);
    return count >= low && count <= field.capacity;
}

// YYYY-MM-DD at the start; months, days and anything after the tenth character are not examined.
bool BeginsWithDate(std::u16string_view date) {
    if (date.size() < kBareDateLength) return false;
    return IsDigits(date.substr(0, 4)) && date[4] == u'-' && IsDigits(date.substr(5, 2)) && date[7] == u'-' &&
           IsDigits(date.substr(8, 2));
}

}  // namespace

void WriteCalibrationDate(ExportContext& context, std::string_view name, ByteSpan block,
                          const FieldRow& row) {
    // The zone follows the date in the block; the row's width spans both.
    const CountedTextField dateField = row.Text();
    static_assert(fields::kAudiometerLastCalibrationTimeZone.offset ==
                  fields::kAudiometerLastCalibration.End());
    if (dateField.capacity > fields::kAudiometerLastCalibration.capacity) return;
    if (!CountFits(block, dateField, 1)) return;
    if (!CountFits(block, fields::kAudiometerLastCalibrationTimeZone, 0)) return;
    static_assert(fields::kAudiometerLastCalibrationTimeZone.capacity == kMaxZoneCount);

    const CountedTextUnits dateUnits(block, dateField);
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
        name, std::u16string_view(composed.data(), static_cast<std::size_t>(end - composed.begin())));
}

void WriteNotes(ExportContext& context, ByteSpan block) {
    WriteFieldRows(context, block, kNotesFields);
}

void WriteToneAverageFrequencies(ExportContext& context, ByteSpan masks) {
    bool anySet = false;
    for (const FieldRow& row : kToneAverageFields) anySet = anySet || LoadU16(masks, row.offset) != 0;
    if (!anySet) return;

    constexpr std::int32_t list = field_rows::kToneAverageList;
    context.writer.PushElement(context.Name(list, 0));
    WriteFieldRows(context, masks, kToneAverageFields);
    context.writer.PopElement(true);
}

bool IsDigits(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

}  // namespace audiogram
