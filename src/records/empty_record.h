#pragma once

#include "records/little_endian.h"

namespace audiogram {

// The empty 200 record the import starts from: every byte 0, then every curve's
// measurement conditions in the default state and every point field MissingValue.
void MakeEmptyRecord200(MutableByteSpan record);

}  // namespace audiogram
