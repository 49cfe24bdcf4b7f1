#pragma once
// The default (empty) state of TMeasCond marks an unused curve slot.

#include <cstddef>

#include "records/little_endian.h"

namespace audiogram {

// Puts `count` records, `stride` bytes apart, into the default state. Writes bytes 0 to 69
// of each record; the four texts (bytes 70 to 205) keep what they hold.
void InitMeasCond(MutableByteSpan area, std::size_t stride, std::size_t count);

// True when every numeric field has its default and the four text counts are 0. The text
// buffers themselves are not looked at.
bool IsEmptyMeasCond(ByteSpan measCond);

}  // namespace audiogram
