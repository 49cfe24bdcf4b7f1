#include "support/message_format.h"

#include <algorithm>

namespace audiogram {
namespace {

// Appends units while room is left; the message is cut where the room ends.
template <typename Char>
class BoundedAppender {
  public:
    BoundedAppender(std::basic_string<Char>& out, std::size_t maxUnits) : out_(out), maxUnits_(maxUnits) {}

    void Append(std::basic_string_view<Char> text) {
        const std::size_t room = maxUnits_ > out_.size() ? maxUnits_ - out_.size() : 0;
        out_.append(text.substr(0, std::min(room, text.size())));
    }
    void Append(Char unit) { Append(std::basic_string_view<Char>(&unit, 1)); }
    bool Full() const { return out_.size() >= maxUnits_; }

  private:
    std::basic_string<Char>& out_;
    std::size_t maxUnits_;
};

// Digits of a number, written right to left into a small scratch text.
template <typename Char>
std::basic_string_view<Char> NumberText(std::int64_t value, char conversion, std::array<Char, 24>& scratch) {
    const bool hex = conversion == 'x' || conversion == 'X';
    const bool negative = !hex && conversion != 'u' && value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (hex || conversion == 'u') magnitude &= 0xFFFFFFFFu;  // the int argument of printf
    const char* digits = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::uint64_t base = hex ? 16 : 10;
    std::size_t position = scratch.size();
    do {
        scratch[--position] = static_cast<Char>(digits[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0);
    if (negative) scratch[--position] = static_cast<Char>('-');
    return {scratch.data() + position, scratch.size() - position};
}

template <typename Char>
void AppendArgument(BoundedAppender<Char>& out, char conversion, const MessageArg<Char>& arg) {
    using Kind = typename MessageArg<Char>::Kind;
    if (arg.kind() == Kind::Text) {
        out.Append(arg.text());
        return;
    }
    if (conversion == 'c' || (conversion == 's' && arg.kind() == Kind::Unit)) {
        out.Append(static_cast<Char>(arg.number()));
        return;
    }
    std::array<Char, 24> scratch{};
    out.Append(NumberText<Char>(arg.number(), conversion == 's' ? 'd' : conversion, scratch));
}

bool IsConversion(char c) {
    return c == 's' || c == 'c' || c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X';
}

}  // namespace

template <typename Char>
void AppendFormatted(std::basic_string<Char>& out, std::size_t maxUnits, std::basic_string_view<Char> format,
                     std::span<const MessageArg<Char>> args) {
    BoundedAppender<Char> appender(out, maxUnits);
    std::size_t nextArg = 0;
    for (std::size_t i = 0; i < format.size() && !appender.Full(); ++i) {
        const Char unit = format[i];
        if (unit != static_cast<Char>('%') || i + 1 == format.size()) {
            appender.Append(unit);
            continue;
        }
        const Char next = format[i + 1];
        const char conversion = next < 0x80 ? static_cast<char>(next) : '\0';
        if (conversion == '%') {
            appender.Append(next);
            ++i;
        } else if (IsConversion(conversion)) {
            if (nextArg < args.size()) AppendArgument(appender, conversion, args[nextArg++]);
            ++i;
        } else {
            appender.Append(unit);
        }
    }
}

template void AppendFormatted<char>(std::string&, std::size_t, std::string_view,
                                    std::span<const MessageArg<char>>);
template void AppendFormatted<char16_t>(std::u16string&, std::size_t, std::u16string_view,
                                        std::span<const MessageArg<char16_t>>);

}  // namespace audiogram
