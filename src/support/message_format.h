#pragma once
// printf-style messages with typed arguments, for narrow and UTF-16 text alike. Each
// argument knows its own type, so a message can never read an argument as something it
// is not: a text given for %d is written as the text, a number given for %s as decimal.
//
// Conversions: %s (text), %c (one character; a number is taken as its code), %d and %i
// (signed decimal), %u (unsigned decimal), %x and %X (hexadecimal of the 32-bit pattern,
// lower or upper case), %% (a percent sign). Flags, widths and precisions are not
// supported; an unknown conversion is written as it stands, and a conversion without an
// argument writes nothing.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace audiogram {

template <typename Char>
class MessageArg {
  public:
    enum class Kind { Text, Unit, Number };

    MessageArg(std::basic_string_view<Char> text) : kind_(Kind::Text), text_(text) {}
    MessageArg(const std::basic_string<Char>& text) : kind_(Kind::Text), text_(text) {}
    MessageArg(const Char* text) : kind_(Kind::Text), text_(text != nullptr ? text : NullText()) {}
    MessageArg(Char unit) : kind_(Kind::Unit), number_(static_cast<std::int64_t>(unit)) {}
    template <std::integral Integer>
    requires(!std::same_as<Integer, Char> && !std::same_as<Integer, bool>) MessageArg(Integer value)
        : kind_(Kind::Number), number_(static_cast<std::int64_t>(value)) {}

    Kind kind() const { return kind_; }
    std::basic_string_view<Char> text() const { return text_; }
    std::int64_t number() const { return number_; }

  private:
    static constexpr const Char* NullText() {
        if constexpr (std::same_as<Char, char>) {
            return "(null)";
        } else {
            return u"(null)";
        }
    }

    Kind kind_;
    std::basic_string_view<Char> text_;
    std::int64_t number_ = 0;
};

// Appends the formatted message to out, which never grows beyond maxUnits units: a longer
// message is cut there.
template <typename Char>
void AppendFormatted(std::basic_string<Char>& out, std::size_t maxUnits, std::basic_string_view<Char> format,
                     std::span<const MessageArg<Char>> args);

extern template void AppendFormatted<char>(std::string&, std::size_t, std::string_view,
                                           std::span<const MessageArg<char>>);
extern template void AppendFormatted<char16_t>(std::u16string&, std::size_t, std::u16string_view,
                                               std::span<const MessageArg<char16_t>>);

template <typename... Args>
std::string FormatText(std::string_view format, const Args&... args) {
    const std::array<MessageArg<char>, sizeof...(Args)> list{MessageArg<char>(args)...};
    std::string out;
    AppendFormatted<char>(out, out.max_size(), format, list);
    return out;
}

template <typename... Args>
std::u16string FormatText(std::u16string_view format, const Args&... args) {
    const std::array<MessageArg<char16_t>, sizeof...(Args)> list{MessageArg<char16_t>(args)...};
    std::u16string out;
    AppendFormatted<char16_t>(out, out.max_size(), format, list);
    return out;
}

// The same, cut to at most maxUnits units.
template <typename... Args>
std::u16string FormatTextCut(std::size_t maxUnits, std::u16string_view format, const Args&... args) {
    const std::array<MessageArg<char16_t>, sizeof...(Args)> list{MessageArg<char16_t>(args)...};
    std::u16string out;
    AppendFormatted<char16_t>(out, maxUnits, format, list);
    return out;
}

}  // namespace audiogram
