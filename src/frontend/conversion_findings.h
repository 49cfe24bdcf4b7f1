#pragma once
// What a successful conversion should still tell its user: the output is exact, but the
// input may not be what the user thinks, or not all of it arrived. Every front end prints
// these findings the same way; a strict front end refuses a conversion that has any.

#include <string>
#include <vector>

#include "records/little_endian.h"
#include "service/data_standard.h"

namespace audiogram::frontend {

enum class FindingKind {
    ProblemComments,       // the export wrote problems into the document as comments
    LikelyWrongStandard,   // the input has exactly the size of the other binary record
    NotAnAudiogramDocument,// the document's root element is another one
    DroppedBytes,          // extension bytes or private data that the target has no place for
};

struct Finding {
    FindingKind kind;
    std::string message;  // in words, without the input's name
};

// The findings of converting `input` from `from` to `to` into `result`, in the order of
// the kinds above.
std::vector<Finding> ConversionFindings(DataStandard from, DataStandard to, ByteSpan input, ByteSpan result);

}  // namespace audiogram::frontend
