#pragma once
// Element names and enumeration names are compared as single-byte strings: every UTF-16
// unit below 0x80 stands for itself and every other character (a surrogate pair is one)
// becomes '?', so a text that holds anything outside ASCII never equals a name of the
// schema table.

#include <array>
#include <cstddef>
#include <string_view>

namespace audiogram {

inline constexpr std::size_t kSingleByteTextCapacity = 249;

class SingleByteText {
public:
    explicit SingleByteText(std::u16string_view text) {
        for (std::size_t i = 0; i < text.size() && length_ < bytes_.size(); ++i) {
            const char16_t unit = text[i];
            const bool pairFollows = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
                                     text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            if (pairFollows) ++i;
            bytes_[length_++] = unit < 0x80 ? static_cast<char>(unit) : '?';
        }
    }

    std::string_view View() const { return {bytes_.data(), length_}; }

private:
    std::array<char, kSingleByteTextCapacity> bytes_;
    std::size_t length_ = 0;
};

}  // namespace audiogram
