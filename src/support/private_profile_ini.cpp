#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "support/ini_text.h"
#include "support/private_profile.h"

namespace audiogram {
namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

bool ProfileFileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string ReadProfileValue(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
    const std::optional<std::string> text = ReadWholeFile(path);
    std::optional<std::string> value;
    if (text) value = FindProfileValue(*text, section, key);
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    if (result.size() >= kProfileValueBufferBytes) result.resize(kProfileValueBufferBytes - 1);
    return result;
}

void WriteProfileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    const std::string updated =
        SetProfileValue(ReadWholeFile(path).value_or(std::string()), section, key, value);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return;
    file.write(updated.data(), static_cast<std::streamsize>(updated.size()));
}

}  // namespace audiogram
