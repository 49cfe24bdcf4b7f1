#pragma once
// The text of one leaf element, held in a fixed buffer of the caller: every text buffer
// of the import holds 249 UTF-16 units and a terminator.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace audiogram {

inline constexpr std::size_t kTokenCapacity = 249;

class LeafText {
public:
    std::u16string_view View() const { return {units_.data(), length_}; }

    void Assign(std::u16string_view text) {
        length_ = std::min(text.size(), kTokenCapacity);
        std::copy_n(text.begin(), length_, units_.begin());
        units_[length_] = 0;
    }

    void Clear() { Assign({}); }

private:
    std::array<char16_t, kTokenCapacity + 1> units_{};
    std::size_t length_ = 0;
};

}  // namespace audiogram
