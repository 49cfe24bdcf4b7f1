#include "input_files.h"

#include <algorithm>

#include "frontend/file_naming.h"

namespace audiogram::tool {
namespace fs = std::filesystem;

bool TakenFromFolder(const fs::path& file, std::optional<DataStandard> from) {
    const std::optional<DataStandard> standard = frontend::StandardOfSuffix(file.extension().string());
    return standard && (!from || *from == *standard);
}

namespace {

template <class Iterator, class Take>
std::error_code Walk(const fs::path& folder, Take take) {
    std::error_code error;
    for (Iterator it(folder, fs::directory_options::skip_permission_denied, error), end; !error && it != end;
         it.increment(error)) {
        take(*it);
    }
    return error;
}

void AddFolder(const fs::path& folder, bool recursive, std::optional<DataStandard> from,
               std::vector<InputFile>& files) {
    std::vector<fs::path> found;
    const auto take = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (entry.is_regular_file(ignored) && TakenFromFolder(entry.path(), from))
            found.push_back(entry.path());
    };
    const std::error_code error = recursive ? Walk<fs::recursive_directory_iterator>(folder, take)
                                            : Walk<fs::directory_iterator>(folder, take);
    if (error) {
        files.push_back({folder, {}, "cannot read the folder: " + error.message()});
        return;
    }
    std::sort(found.begin(), found.end());
    for (fs::path& file : found) files.push_back({std::move(file), folder, {}});
}

}  // namespace

std::vector<InputFile> ListInputFiles(const std::vector<std::string>& inputs, bool recursive,
                                      std::optional<DataStandard> from) {
    std::vector<InputFile> files;
    for (const std::string& input : inputs) {
        const fs::path path(input);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            AddFolder(path, recursive, from, files);
        } else {
            files.push_back({path, {}, {}});
        }
    }
    return files;
}

}  // namespace audiogram::tool
