#include "import/escaped_text.h"

#include <cassert>

namespace audiogram {
namespace {

struct Escape {
    std::string_view text;
    char16_t unit;
};
constexpr Escape kEscapes[] = {{"&quot;", u'"'}, {"&amp;", u'&'}, {"&lt;", u'<'}, {"&gt;", u'>'}};

}  // namespace

std::optional<std::size_t> TurnBackEscapes(std::string_view ascii, std::span<char16_t> units) {
    assert(units.size() >= ascii.size());
    std::size_t written = 0;
    for (std::size_t read = 0; read < ascii.size();) {
        if (ascii[read] != '&') {
            units[written++] = static_cast<char16_t>(ascii[read++]);
            continue;
        }
        const std::string_view rest = ascii.substr(read);
        const Escape* found = nullptr;
        for (const Escape& escape : kEscapes) {
            if (rest.starts_with(escape.text)) found = &escape;
        }
        if (found == nullptr) return std::nullopt;
        read += found->text.size();
        if (found->unit == u'&' &&
            (ascii.substr(read).starts_with("lt;") || ascii.substr(read).starts_with("gt;"))) {
            return std::nullopt;
        }
        units[written++] = found->unit;
    }
    return written;
}

}  // namespace audiogram
