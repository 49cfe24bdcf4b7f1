#pragma once

#include "records/little_endian.h"
#include "records/record200_layout.h"

namespace audiogram {

// The empty 200 record: every byte 0, then every curve's measurement conditions in the
// default state and every point field MissingValue. The import starts from it, and a 100
// record converted to 200 is its curves laid over it. Built once on first use and never
// changed; the steps copy it instead of building it again for every conversion.
const Record200Bytes& EmptyRecord200();

// Makes the first 36128 bytes of `record` the empty record.
void MakeEmptyRecord200(MutableByteSpan record);

}  // namespace audiogram
