// Our converter gives what the platform's code-page functions give (no flags).
#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "utf_cases.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

std::u16string PlatformUtf8ToUtf16(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return std::u16string(wide.begin(), wide.end());
}

std::string PlatformUtf16ToUtf8(std::u16string_view utf16) {
    const std::wstring wide(utf16.begin(), utf16.end());
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

TEST(UtfPlatform, Utf8ToUtf16AgreesWithThePlatform) {
    for (const testing::Utf8Case& c : testing::kUtf8ToUtf16Cases) {
        EXPECT_EQ(Utf8ToWide(c.utf8).value_or(u""), PlatformUtf8ToUtf16(c.utf8)) << c.name;
    }
}

TEST(UtfPlatform, Utf16ToUtf8AgreesWithThePlatform) {
    for (const testing::Utf8Case& c : testing::kUtf16ToUtf8Cases) {
        EXPECT_EQ(WideToUtf8(c.utf16).value_or(""), PlatformUtf16ToUtf8(c.utf16)) << c.name;
    }
}

}  // namespace
}  // namespace audiogram
