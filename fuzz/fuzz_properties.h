#pragma once
// What the fuzz targets check on every input, kept apart from libFuzzer so the unit tests
// replay the same checks over the seed corpora and over every finding kept in
// fuzz/regressions. Each check returns an empty text when the property held, else what broke.

#include <string>
#include <string_view>

#include "records/little_endian.h"

namespace audiogram::fuzz {

enum class Target { Dispatch, Import, RoundTrip, QuickPaths };

inline constexpr Target kTargets[] = {Target::Dispatch, Target::Import, Target::RoundTrip, Target::QuickPaths};

// The folder name of a target's seeds and regressions, and its libFuzzer executable's stem.
std::string_view TargetName(Target target);

// The dispatcher: the first bytes pick the pair of data standards, the rest is the blob (a
// record input of record_input.h when the source is a record, else the bytes as they stand).
// The status must be one the dispatch table allows for the pair and the blob's length, a
// failure must leave the result alone, a success must give a result of the target's shape.
std::string CheckDispatch(ByteSpan input);

// The import alone: any bytes as a data standard 500 document end in 0 or -1.
std::string CheckImport(ByteSpan input);

// A record input taken as a 200 record (padded with zeros or cut to 36128 bytes) exports to a
// well-formed document D1; importing and exporting it gives D2, doing that again gives D3,
// and D3 must equal D2 byte for byte: after the first round the cycle is a fixed point.
std::string CheckRoundTrip(ByteSpan input);

// Any bytes imported with the reader's quick paths and without them give the same status
// and, on success, the same record.
std::string CheckQuickPaths(ByteSpan input);

std::string Check(Target target, ByteSpan input);

// Points the process's configuration at a fresh, empty folder (removed when the process
// ends), so the checks run with the default legal characters and no log, whatever the
// machine holds; the configuration's report lines are silenced.
void UseDefaultConfiguration();

// The picking of data standards from the first bytes of a dispatch input, shared with the
// seed corpus so seeds say exactly which pair they are for: a selector byte below 0xC0
// picks 100, 200 or 500; any other selector takes the next two bytes as any 16-bit code,
// the form the seeds give their pairs in.
struct PickedPair {
    std::int16_t newDataFormat;
    std::int16_t oldDataFormat;
    ByteSpan blob;
};
PickedPair PickPair(ByteSpan input);
std::string EncodePair(std::int16_t newDataFormat, std::int16_t oldDataFormat);

}  // namespace audiogram::fuzz
