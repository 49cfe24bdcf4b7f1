#include "record_source.h"

#include <iostream>

#include "file_io.h"
#include "frontend/status_words.h"
#include "source_standard_option.h"

namespace audiogram::tool {

std::optional<LoadedRecord> ReadAsRecord200(const std::string& input, const std::string& from) {
    std::vector<std::uint8_t> bytes = audconv::ReadInput(input);
    LoadedRecord loaded = frontend::LoadAsRecord200(bytes, ToSourceStandard(from));
    if (!Failed(loaded.status)) return loaded;
    std::cerr << "audconv: " << frontend::FailureText(input, loaded.reason, loaded.status) << '\n';
    return std::nullopt;
}

}  // namespace audiogram::tool
