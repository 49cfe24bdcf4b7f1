#pragma once
// Block relocation between the two binary data standards. Neither direction checks,
// scales or defaults a value: bytes land unchanged at their place. Both walk one copy plan
// (records/relocation_plan.h).

#include <cstdint>
#include <vector>

#include "records/little_endian.h"

namespace audiogram {

// Fills all 36128 bytes of `record200` from the 19472 bytes of `record100`.
void ConvertRecord100to200(ByteSpan record100, MutableByteSpan record200);

// The same onto a `record200` that already is the empty record (MakeEmptyRecord200), so a
// caller that made it by copying EmptyRecord200() does not pay for clearing it again.
void CopyCurves100to200(ByteSpan record100, MutableByteSpan record200);

// Fills all 19472 bytes of `record100` from the first 36128 bytes of `record200`.
void ConvertRecord200to100(ByteSpan record200, MutableByteSpan record100);

// The same, appending the 100 record to `out`: a result blob built this way is written
// once, never cleared or copied first. A source too short to be a 200 record appends nothing.
void AppendRecord200to100(ByteSpan record200, std::vector<std::uint8_t>& out);

}  // namespace audiogram
