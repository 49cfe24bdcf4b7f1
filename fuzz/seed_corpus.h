#pragma once
// The seed corpora of the fuzz targets, made by the project's own code: the shared record
// sets as 100 and 200 records and as the documents the export writes from them, each
// dispatch seed prefixed with the pair of data standards it is for, and a few documents of
// the shapes a host or a hand may write.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_properties.h"

namespace audiogram::fuzz {

struct Seed {
    std::string name;  // a file name
    std::vector<std::uint8_t> bytes;
};

std::vector<Seed> SeedsFor(Target target);

// The regular files of a folder (none when it does not exist), but its notes (*.md).
std::vector<Seed> ReadFolder(const std::filesystem::path& folder);

}  // namespace audiogram::fuzz
