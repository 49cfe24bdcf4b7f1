#include "frontend/document_outline.h"

#include <array>
#include <string>

namespace audiogram::frontend {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The markup that may come before the root: a pair of opening and closing marks each.
struct Prolog {
    std::string_view open, close;
};
constexpr std::array kPrologMarkup = {Prolog{"<?", "?>"}, Prolog{"<!--", "-->"}, Prolog{"<!", ">"}};

// The text with leading white space and one leading prolog item removed; false when no
// prolog item starts it.
bool SkipPrologItem(std::string_view& text) {
    for (const Prolog& item : kPrologMarkup) {
        if (!text.starts_with(item.open)) continue;
        const std::size_t end = text.find(item.close, item.open.size());
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + item.close.size());
        return true;
    }
    return false;
}

void SkipSpace(std::string_view& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    text.remove_prefix(first == std::string_view::npos ? text.size() : first);
}

bool IsBase64Digit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

}  // namespace

std::string_view RootElementName(std::string_view document) {
    if (document.starts_with(kByteOrderMark)) document.remove_prefix(kByteOrderMark.size());
    for (SkipSpace(document); SkipPrologItem(document); SkipSpace(document)) {
    }
    if (!document.starts_with('<')) return {};
    document.remove_prefix(1);
    return document.substr(0, document.find_first_of(" \t\r\n/>"));
}

std::size_t Base64ElementBytes(std::string_view document, std::string_view elementName) {
    const std::string open = "<" + std::string(elementName) + ">";
    const std::size_t start = document.find(open);
    if (start == std::string_view::npos) return 0;
    std::string_view text = document.substr(start + open.size());
    text = text.substr(0, text.find('<'));
    std::size_t digits = 0;
    for (const char c : text) digits += IsBase64Digit(c) ? 1u : 0u;
    return digits * 3 / 4;  // four digits carry three bytes; padding digits carry none
}

}  // namespace audiogram::frontend
