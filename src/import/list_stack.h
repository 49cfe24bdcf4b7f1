#pragma once
// The list numbers of the elements that enclose the one being read. Six slots: documents
// that the export writes need two; a deeper nesting fails the import instead of writing
// past the stack.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace audiogram {

class ListStack {
public:
    static constexpr std::size_t kSlots = 6;

    [[nodiscard]] bool Push(std::int32_t list) {
        if (depth_ == kSlots) return false;
        slots_[depth_++] = list;
        return true;
    }

    // None when the stack is empty.
    std::optional<std::int32_t> Pop() {
        if (depth_ == 0) return std::nullopt;
        return slots_[--depth_];
    }

    std::size_t Depth() const { return depth_; }

private:
    std::array<std::int32_t, kSlots> slots_{};
    std::size_t depth_ = 0;
};

}  // namespace audiogram
