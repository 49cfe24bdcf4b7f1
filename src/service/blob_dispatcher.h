#pragma once
// The entry of every conversion: checks the blob, chooses the chain of steps for the pair
// of data standards, carries extension data into the export and builds the result blob.
// The source bytes are read in place; the only change made to them is the calibration
// date fix of the 200 to 500 step. The export and the import take their text rules from
// the process's configuration (support/configuration.h), which the first text that needs
// one sets up.

#include <cstdint>
#include <memory>
#include <vector>

#include "records/extension_data.h"
#include "records/little_endian.h"
#include "service/data_standard.h"
#include "support/status.h"

namespace audiogram {

using Blob = std::vector<std::uint8_t>;

// The whole dispatch for (target, source). On success `result` holds the new blob at its
// exact length; on failure it is left as it was.
HResult ConvertDataBlob(DataStandard newDataFormat, DataStandard oldDataFormat, MutableByteSpan source,
                        Blob& result);

HResult ConvertBlob100to200(ByteSpan source, Blob& result);
HResult ConvertBlob200to100(ByteSpan source, Blob& result);
HResult ConvertBlob200to500(MutableByteSpan source, Blob& result, const CExtensionData* extension);
HResult ConvertBlob500to200(ByteSpan source, Blob& result);

// The bytes after the fixed record, or none when the blob is not longer than it.
std::unique_ptr<CExtensionData> CutExtensionData(ByteSpan source, std::uint32_t fixedSize);

// Replaces what `result` held by a new blob of exactly these bytes.
void SetBlobBytes(Blob& result, ByteSpan bytes);

// Completes a bare ToneNotes calibration date (YYYY-MM-DD, count 10) with "T00:00:00" in
// place. Only a text that really is 10 units long (unit 10 its terminator, no 0 unit before
// it) is completed; anything else, and an area shorter than a 200 record, stays as it was.
// Returns whether the text was changed.
bool CompleteCalibrationDate(MutableByteSpan record200);

}  // namespace audiogram
