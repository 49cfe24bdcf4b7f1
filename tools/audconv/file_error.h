#pragma once
// The failure of a file operation, worded for the user: which file and why.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace audconv {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name in single quotes, as messages show it. Built by appending: g++ 12 at -O2 warns
// falsely (-Wrestrict) about "literal" + temporary.
inline std::string QuotedName(const std::filesystem::path& path) {
    std::string quoted = "'";
    quoted.append(path.string()).append("'");
    return quoted;
}

}  // namespace audconv
