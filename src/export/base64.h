#pragma once
// Standard Base64 (A-Z a-z 0-9 + /, "=" padding, no line breaks): the text form of the
// extension bytes that a document carries as PrivateAudiogramData.

#include <string>

#include "records/little_endian.h"

namespace audiogram {

std::string EncodeBase64(ByteSpan bytes);

}  // namespace audiogram
