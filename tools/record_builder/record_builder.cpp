#include "record_builder/record_builder.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

const record100::SectionMap& Section100(Section section) {
    for (const record100::SectionMap& map : record100::kSections) {
        if (map.section200.section == section) return map;
    }
    throw std::invalid_argument("unknown section");
}

void RequireSlot(std::size_t slot, std::size_t slots) {
    if (slot >= slots) {
        throw std::out_of_range("curve slot " + std::to_string(slot) + " of a section with " +
                                std::to_string(slots) + " slots");
    }
}

BlobBytes Concatenate(ByteSpan record, ByteSpan extension) {
    // Sized once and copied into: g++ 12 at -O2 warns falsely (-Warray-bounds) about an insert.
    BlobBytes blob(record.size() + extension.size());
    std::copy(record.begin(), record.end(), blob.begin());
    std::copy(extension.begin(), extension.end(), blob.begin() + static_cast<std::ptrdiff_t>(record.size()));
    return blob;
}

struct FrequencyBit {
    int hertz;
    std::uint16_t bit;
};

constexpr std::array kFrequencyBits = {
    FrequencyBit{125, 1},     FrequencyBit{250, 2},     FrequencyBit{500, 4},    FrequencyBit{750, 8},
    FrequencyBit{1000, 16},   FrequencyBit{1500, 32},   FrequencyBit{2000, 64},  FrequencyBit{3000, 128},
    FrequencyBit{4000, 256},  FrequencyBit{6000, 512},  FrequencyBit{8000, 1024}, FrequencyBit{12000, 2048},
    FrequencyBit{16000, 4096},
};

}  // namespace

CurveWriter::CurveWriter(MutableByteSpan curve, const CurveLayout& layout, std::size_t measCondSize)
    : curve_(curve), layout_(layout), measCondSize_(measCondSize) {}

void CurveWriter::Store(std::size_t offset, std::int16_t value) {
    if (offset + 2 > curve_.size()) throw std::out_of_range("field beyond the end of its curve");
    StoreI16(curve_, offset, value);
}

void CurveWriter::RequireRecord200Part(std::size_t offset) const {
    if (offset >= measCondSize_) {
        throw std::logic_error("data standard 100 curves keep only the first 68 bytes of their conditions");
    }
}

CurveWriter& CurveWriter::Pair(std::size_t offset, std::int16_t entry0, std::int16_t entry1) {
    return Stimulus(offset, entry0).Masking(offset, entry1);
}

CurveWriter& CurveWriter::Stimulus(std::size_t offset, std::int16_t value) {
    RequireRecord200Part(offset);
    Store(offset, value);
    return *this;
}

CurveWriter& CurveWriter::Masking(std::size_t offset, std::int16_t value) {
    RequireRecord200Part(offset + meas_cond::kPairEntrySize);
    Store(offset + meas_cond::kPairEntrySize, value);
    return *this;
}

CurveWriter& CurveWriter::SpeechThresholdType(std::int16_t code) {
    RequireRecord200Part(meas_cond::kSpeechThresholdType);
    Store(meas_cond::kSpeechThresholdType, code);
    return *this;
}

CurveWriter& CurveWriter::Text(CountedTextField field, std::u16string_view text) {
    RequireRecord200Part(field.offset);
    if (text.size() > field.capacity) throw std::length_error("text longer than its field");
    WriteCountedText(curve_, field, text);
    return *this;
}

CurveWriter& CurveWriter::Point(std::size_t index, std::initializer_list<std::int16_t> fields) {
    RequireSlot(index, layout_.pointCount);
    if (fields.size() * 2 > layout_.PointSize()) throw std::length_error("more fields than the point has");
    std::size_t offset = measCondSize_ + index * layout_.PointSize();
    for (const std::int16_t value : fields) {
        Store(offset, value);
        offset += 2;
    }
    return *this;
}

CurveWriter& CurveWriter::EndPoints(std::size_t index) { return Point(index, {MissingValue}); }

Record200Builder::Record200Builder() { MakeEmptyRecord200(record_); }

CurveWriter Record200Builder::Curve(Section section, std::size_t slot) {
    const SectionLayout& layout = record200::SectionOf(section);
    RequireSlot(slot, layout.slots);
    return CurveWriter(MutableByteSpan(record_).subspan(layout.CurveOffset(slot), layout.curve.size),
                       layout.curve, meas_cond::kSize);
}

Record200Builder& Record200Builder::Note(NotesBlock block, CountedTextField field, std::u16string_view text) {
    if (text.size() > field.capacity) throw std::length_error("text longer than its field");
    const std::size_t offset = block == NotesBlock::Tone ? record200::kToneNotesOffset : record200::kSpeechNotesOffset;
    WriteCountedText(MutableByteSpan(record_).subspan(offset, record200::notes::kSize), field, text);
    return *this;
}

Record200Builder& Record200Builder::ToneAverage(std::size_t maskOffset, std::uint16_t frequencies) {
    if (maskOffset + 2 > record200::tone_average::kSize) throw std::out_of_range("no such tone-average mask");
    StoreU16(record_, record200::kToneAverageOffset + maskOffset, frequencies);
    return *this;
}

BlobBytes Record200Builder::ToBlob(ByteSpan extension) const { return Concatenate(record_, extension); }

Record100Builder::Record100Builder() {
    std::array<std::uint8_t, meas_cond::kSize> defaults{};
    InitMeasCond(defaults, meas_cond::kSize, 1);
    for (const record100::SectionMap& map : record100::kSections) {
        for (std::size_t slot = 0; slot < map.slots; ++slot) {
            const auto curve = record_.begin() + static_cast<std::ptrdiff_t>(map.CurveOffset(slot));
            std::copy_n(defaults.begin(), record100::kMeasCondSize, curve);
            for (std::size_t field = map.PointsOffset(); field < map.CurveSize(); field += 2) {
                StoreI16(record_, map.CurveOffset(slot) + field, MissingValue);
            }
        }
    }
}

CurveWriter Record100Builder::Curve(Section section, std::size_t slot) {
    const record100::SectionMap& map = Section100(section);
    RequireSlot(slot, map.slots);
    return CurveWriter(MutableByteSpan(record_).subspan(map.CurveOffset(slot), map.CurveSize()),
                       map.section200.curve, record100::kMeasCondSize);
}

BlobBytes Record100Builder::ToBlob(ByteSpan extension) const { return Concatenate(record_, extension); }

std::uint16_t ToneAverageMask(std::initializer_list<int> hertz) {
    std::uint16_t mask = 0;
    for (const int frequency : hertz) {
        const auto found = std::find_if(kFrequencyBits.begin(), kFrequencyBits.end(),
                                        [frequency](const FrequencyBit& bit) { return bit.hertz == frequency; });
        if (found == kFrequencyBits.end()) {
            throw std::invalid_argument(std::to_string(frequency) + " Hz has no tone-average bit");
        }
        mask = static_cast<std::uint16_t>(mask | found->bit);
    }
    return mask;
}

}  // namespace audiogram
