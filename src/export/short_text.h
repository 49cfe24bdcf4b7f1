#pragma once
// A short text composed in a fixed buffer, for the comments the export writes about a
// value: composing one allocates nothing. A text longer than the buffer is cut.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {

class ShortText {
  public:
    static constexpr std::size_t kCapacity = 256;

    ShortText& operator<<(std::string_view part) {
        const std::size_t taken = std::min(part.size(), kCapacity - length_);
        std::copy_n(part.begin(), taken, chars_.begin() + static_cast<std::ptrdiff_t>(length_));
        length_ += taken;
        return *this;
    }

    ShortText& operator<<(std::int32_t number) {
        std::array<char, 12> digits;
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
        return *this << std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data()));
    }

    std::string_view View() const { return {chars_.data(), length_}; }

  private:
    std::array<char, kCapacity> chars_;
    std::size_t length_ = 0;
};

}  // namespace audiogram
