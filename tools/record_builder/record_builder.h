#pragma once
// Builds 100 and 200 records field by field, for the sample generator and for tests that
// need records with known content. Every write goes through the little-endian accessors at
// the named offsets of the layouts; a write outside the curve or record throws.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "records/counted_text.h"
#include "records/little_endian.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram {

using BlobBytes = std::vector<std::uint8_t>;

// One curve of a 100 or 200 record: its measurement conditions, then its points.
class CurveWriter {
public:
    CurveWriter(MutableByteSpan curve, const CurveLayout& layout, std::size_t measCondSize);

    // Both entries of a paired condition: stimulus and masking, or hearing instruments 1 and 2.
    CurveWriter& Pair(std::size_t offset, std::int16_t entry0, std::int16_t entry1);
    CurveWriter& Stimulus(std::size_t offset, std::int16_t value);
    CurveWriter& Masking(std::size_t offset, std::int16_t value);
    // The parts of the conditions that only a 200 curve has; a 100 curve refuses them.
    CurveWriter& SpeechThresholdType(std::int16_t code);
    CurveWriter& Text(CountedTextField field, std::u16string_view text);

    // Stores the leading fields of point `index` in layout order; the rest keep their value.
    CurveWriter& Point(std::size_t index, std::initializer_list<std::int16_t> fields);
    // Ends the list of points: MissingValue in the first field of point `index`.
    CurveWriter& EndPoints(std::size_t index);

    MutableByteSpan Bytes() const { return curve_; }

private:
    void Store(std::size_t offset, std::int16_t value);
    void RequireRecord200Part(std::size_t offset) const;

    MutableByteSpan curve_;
    CurveLayout layout_;
    std::size_t measCondSize_;
};

enum class NotesBlock { Tone, Speech };

// Starts from the empty record: every curve slot unused, every point field missing, no
// notes, no tone-average frequencies.
class Record200Builder {
public:
    Record200Builder();

    CurveWriter Curve(Section section, std::size_t slot);
    Record200Builder& Note(NotesBlock block, CountedTextField field, std::u16string_view text);
    // `maskOffset` is one of record200::tone_average; `frequencies` a ToneAverageMask.
    Record200Builder& ToneAverage(std::size_t maskOffset, std::uint16_t frequencies);

    const Record200Bytes& Bytes() const { return record_; }
    MutableByteSpan MutableBytes() { return record_; }
    // The record followed by `extension` bytes, as a blob of data standard 200.
    BlobBytes ToBlob(ByteSpan extension = {}) const;

private:
    Record200Bytes record_{};
};

// Starts with every curve's conditions in the default state and every point field missing,
// the 100 counterpart of the empty 200 record.
class Record100Builder {
public:
    Record100Builder();

    CurveWriter Curve(Section section, std::size_t slot);

    const Record100Bytes& Bytes() const { return record_; }
    MutableByteSpan MutableBytes() { return record_; }
    BlobBytes ToBlob(ByteSpan extension = {}) const;

private:
    Record100Bytes record_{};
};

// The tone-average bit mask of the given frequencies in hertz (125 to 16000); throws for a
// frequency that has no bit.
std::uint16_t ToneAverageMask(std::initializer_list<int> hertz);

}  // namespace audiogram
