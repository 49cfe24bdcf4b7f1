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

TEST(UtfPlatform, ConversionsAgreeWithThePlatform) {
    for (const testing::Utf8Case& c : testing::kUtf8ToUtf16Cases) {
        const int size = static_cast<int>(c.utf8.size());
        std::wstring wide(
            static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, c.utf8.data(), size, nullptr, 0)),
            L'\0');
        MultiByteToWideChar(CP_UTF8, 0, c.utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
        EXPECT_EQ(Utf8ToWide(c.utf8).value_or(u""), std::u16string(wide.begin(), wide.end())) << c.name;
    }
    for (const testing::Utf8Case& c : testing::kUtf16ToUtf8Cases) {
        const std::wstring wide(c.utf16.begin(), c.utf16.end());
        const int size = static_cast<int>(wide.size());
        std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr,
                                                                      0, nullptr, nullptr)),
                         '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                            nullptr, nullptr);
        EXPECT_EQ(WideToUtf8(c.utf16).value_or(""), utf8) << c.name;
    }
}

}  // namespace
}  // namespace audiogram
