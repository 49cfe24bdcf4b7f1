#include "import/convert500to200.h"

#include <algorithm>
#include <array>
#include <span>

#include "schema/schema_positions.h"
#include "import/leaf_rules.h"
#include "import/section_readers.h"
#include "import/xml_reader.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

enum class RootChild { Curve, Notes, FrequencyMasks, Skipped };

// One row per position of the root's list: where that child goes in the record.
struct ImportRow {
    RootChild kind;
    std::size_t offset = 0;  // of the row's area in the record
    std::size_t slots = 1;
    CurveLayout curve{};
    std::span<const LeafRule> pointRules{};
    // Counted rows read each further element into the next slot and ignore elements beyond
    // their slots; single-slot rows read every element over their one block.
    bool counted = false;
};

constexpr ImportRow CountedCurves(Section section, std::span<const LeafRule> pointRules) {
    const SectionLayout& layout = record200::SectionOf(section);
    return {RootChild::Curve, layout.offset, layout.slots, layout.curve, pointRules, true};
}

constexpr ImportRow SingleCurve(Section section, std::span<const LeafRule> pointRules) {
    const SectionLayout& layout = record200::SectionOf(section);
    return {RootChild::Curve, layout.offset, layout.slots, layout.curve, pointRules, false};
}

// Positions 1 to 17 of the root's list, in list order.
constexpr std::array kRootChildren = {
    CountedCurves(Section::ToneThreshold, leaf_rules::kTonePoint),
    CountedCurves(Section::MostComfortableLevel, leaf_rules::kTonePoint),
    CountedCurves(Section::UncomfortableLevel, leaf_rules::kTonePoint),
    CountedCurves(Section::SpeechDiscrimination, leaf_rules::kSpeechPoint),
    CountedCurves(Section::SpeechReceptionThreshold, leaf_rules::kSpeechPoint),
    CountedCurves(Section::SpeechMostComfortableLevel, leaf_rules::kSpeechPoint),
    CountedCurves(Section::SpeechUncomfortableLevel, leaf_rules::kSpeechPoint),
    CountedCurves(Section::Decay, leaf_rules::kDecayPoint),
    ImportRow{RootChild::Notes, record200::kToneNotesOffset},
    ImportRow{RootChild::Notes, record200::kSpeechNotesOffset},
    ImportRow{RootChild::FrequencyMasks, record200::kToneAverageOffset},
    SingleCurve(Section::AlternateBinauralLoudnessBalance, leaf_rules::kTonePoint),
    SingleCurve(Section::Stenger, leaf_rules::kTonePoint),
    CountedCurves(Section::DifferenceLimenIntensity, leaf_rules::kDifferenceLimenIntensityPoint),
    CountedCurves(Section::DifferenceLimenFrequency, leaf_rules::kDifferenceLimenFrequencyPoint),
    CountedCurves(Section::ShortIncrementSensitivityIndex, leaf_rules::kSiSiPoint),
    // PrivateAudiogramData, and every name the root's list does not know.
    ImportRow{RootChild::Skipped},
};

static_assert(kRootChildren.size() == schema::root::kPrivateAudiogramData);
static_assert(kRootChildren[schema::root::kToneNotes - 1].offset == record200::kToneNotesOffset);
static_assert(kRootChildren[schema::root::kStengerAudiogram - 1].offset ==
              record200::SectionOf(Section::Stenger).offset);

constexpr std::size_t LargestCurveSize() {
    std::size_t largest = 0;
    for (const SectionLayout& layout : record200::kCurveSections)
        largest = std::max(largest, layout.curve.size);
    return largest;
}

// The state of one walk over the root's children.
class RootWalk {
public:
    RootWalk(AudiogramXmlReader& reader, MutableByteSpan record) : reader_(reader), record_(record) {}

    std::int32_t Run() {
        LeafText text;
        std::int32_t r = reader_.NextElement(text);
        while (r > 0) {
            r = ImportChild(r);
            if (r == 0) r = reader_.NextElement(text);
        }
        return r;
    }

private:
    std::int32_t ImportChild(std::int32_t position) {
        if (position < 1 || static_cast<std::size_t>(position) > kRootChildren.size()) return -1;
        const auto index = static_cast<std::size_t>(position - 1);
        const ImportRow& row = kRootChildren[index];
        switch (row.kind) {
            case RootChild::Curve:
                return ReadCurve(reader_, CurveArea(row, index), row.curve, row.pointRules);
            case RootChild::Notes:
                return ReadNotes(reader_, record_.subspan(row.offset, record200::notes::kSize));
            case RootChild::FrequencyMasks:
                return ReadFrequencyMasks(reader_,
                                          record_.subspan(row.offset, record200::tone_average::kSize));
            case RootChild::Skipped:
                // Its content is never read; its end tag then ends the walk.
                return reader_.SkipToNextTag();
        }
        return -1;
    }

    // The block of the row's next slot, or a scratch block for an element beyond the slots.
    MutableByteSpan CurveArea(const ImportRow& row, std::size_t index) {
        std::size_t slot = 0;
        if (row.counted) {
            slot = usedSlots_[index];
            if (slot == row.slots) return MutableByteSpan(surplusCurve_).first(row.curve.size);
            ++usedSlots_[index];
        }
        return record_.subspan(row.offset + slot * row.curve.size, row.curve.size);
    }

    AudiogramXmlReader& reader_;
    MutableByteSpan record_;
    std::array<std::size_t, kRootChildren.size()> usedSlots_{};
    std::array<std::uint8_t, LargestCurveSize()> surplusCurve_{};
};

}  // namespace

std::int32_t Convert500to200::Convert_Audio(ByteSpan document, MutableByteSpan record) {
    if (record.size() < record200::kSize) return -1;
    AudiogramXmlReader reader(schema_, document);
    return RootWalk(reader, record).Run();
}

}  // namespace audiogram
