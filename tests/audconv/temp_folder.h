#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace audiogram::test {

class TempFolder {
public:
    TempFolder() {
        std::random_device entropy;
        path_ = std::filesystem::temp_directory_path() / ("audconv-test-" + std::to_string(entropy()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    std::filesystem::path Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    static std::vector<std::uint8_t> Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Every regular file below the folder, as paths relative to it, sorted.
    std::vector<std::string> Files(const std::filesystem::path& under) const {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(under)) {
            if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(under).generic_string());
        }
        std::sort(files.begin(), files.end());
        return files;
    }

private:
    std::filesystem::path path_;
};

}  // namespace audiogram::test
