#pragma once
// The bytes of a 100 or 200 blob that follow its fixed record. The dispatcher cuts them
// and lends them to the export, which carries them into the document as Base64.

#include <cstdint>
#include <memory>
#include <vector>

#include "records/little_endian.h"

namespace audiogram {

class CExtensionData {
public:
    explicit CExtensionData(ByteSpan bytes) : data_(bytes.begin(), bytes.end()) {}
    virtual ~CExtensionData() = default;
    CExtensionData(const CExtensionData&) = delete;
    CExtensionData& operator=(const CExtensionData&) = delete;

    std::uint32_t DataSize() const { return static_cast<std::uint32_t>(data_.size()); }
    ByteSpan Data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

}  // namespace audiogram
