#pragma once
// The text forms of numbers in element content: what printf writes for "%d" and "%.*f"
// into a 1024-byte scratch text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {

class NumberText {
  public:
    static constexpr std::size_t kMaxLength = 1023;

    // "%d"
    static NumberText Integer(std::int32_t value);
    // "%.*f": a negative count of decimals means 6, as for printf; a text longer than
    // kMaxLength is cut there, as the scratch text cut it.
    static NumberText Fixed(double value, std::int32_t decimals);

    std::string_view View() const { return {chars_.data(), length_}; }

  private:
    std::array<char, kMaxLength + 1> chars_{};
    std::size_t length_ = 0;
};

}  // namespace audiogram
