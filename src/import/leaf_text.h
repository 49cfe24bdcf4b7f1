#pragma once
// The text of one leaf element, held in a fixed buffer of the caller: every text buffer
// of the import holds 249 UTF-16 units and a terminator. Text the reader finds to be ASCII
// without escapes is kept as its bytes in the document and widened to units only when a
// reader asks for units; numbers and names are read from the bytes as they are.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace audiogram {

inline constexpr std::size_t kTokenCapacity = 249;

class LeafText {
  public:
    std::u16string_view View() const {
        if (!widened_) {
            std::copy(ascii_.begin(), ascii_.end(), units_.begin());  // ASCII: unit for unit
            length_ = ascii_.size();
            units_[length_] = 0;
            widened_ = true;
        }
        return {units_.data(), length_};
    }

    // Whether the text was given as ASCII bytes, which are also its single-byte form.
    bool IsAscii() const { return fromAscii_; }
    std::string_view AsciiBytes() const { return ascii_; }

    void Assign(std::u16string_view text) {
        length_ = std::min(text.size(), kTokenCapacity);
        std::copy_n(text.begin(), length_, units_.begin());
        units_[length_] = 0;
        widened_ = true;
        fromAscii_ = false;
    }

    // ASCII bytes that stay in place (in the document) while the text is used.
    void AssignAscii(std::string_view bytes) {
        ascii_ = {bytes.data(), std::min(bytes.size(), kTokenCapacity)};
        widened_ = false;
        fromAscii_ = true;
    }

    void Clear() { Assign({}); }

  private:
    std::string_view ascii_;
    bool fromAscii_ = false;
    mutable bool widened_ = true;
    mutable std::array<char16_t, kTokenCapacity + 1> units_;  // only the first length_ are ever read
    mutable std::size_t length_ = 0;
};

}  // namespace audiogram
