#pragma once
// Reading and editing the text of a private-profile (INI) file, the way the platform's
// profile functions treat it: "[section]" lines open sections, "key=value" lines inside
// them hold the values, section and key names match without regard to case, names and
// values are trimmed of blanks and one pair of enclosing quotes is taken off a value.
// Only the first section of a name counts, and in it the first line of a key.

#include <optional>
#include <string>
#include <string_view>

namespace audiogram {

// The value of the key, or nothing when the section or the key is not in the text.
std::optional<std::string> FindProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key);

// The text with the key set to the value: an existing key line is replaced, a missing key
// is added after the section's last line, a missing section is added at the end. Every
// other line stays as it was; new lines take the line end the text already uses.
std::string SetProfileValue(std::string_view fileText, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace audiogram
