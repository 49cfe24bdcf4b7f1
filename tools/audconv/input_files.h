#pragma once
// The files a command takes from its inputs: a named file as it is, and the files of a
// named folder that have a data-standard suffix (with a given --from, only that standard's),
// sorted by path, subfolders walked with `recursive`.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "service/data_standard.h"

namespace audiogram::tool {

struct InputFile {
    std::filesystem::path path;
    std::filesystem::path folder;  // the named folder it was found in; empty for a named file
    std::string error;             // when not empty, `path` is a folder that could not be read
};

// Whether a file found in a folder is taken: it has a data-standard suffix, and that
// standard's when `from` names one.
bool TakenFromFolder(const std::filesystem::path& file, std::optional<DataStandard> from);

// `from` none: any data-standard suffix (--from auto).
std::vector<InputFile> ListInputFiles(const std::vector<std::string>& inputs, bool recursive,
                                      std::optional<DataStandard> from);

}  // namespace audiogram::tool
