// The word-at-a-time byte work agrees with the plain byte-by-byte answer everywhere: at
// every start, for stops in every byte of a word, near the end of the text, with bytes
// above 0x7F before and after the stop.
#include "xml/byte_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace audiogram {
namespace {

TEST(ByteSearch, FindsTheFirstStopAndTellsAsciiFromOther) {
    std::mt19937 random(3);
    const std::string alphabet = "ab<&>\"\x80\xC3";
    const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, 'x');
        for (char& c : text) {
            if (random() % 6 == 0) c = alphabet[random() % alphabet.size()];
        }
        for (std::size_t from = 0; from <= text.size(); ++from) {
            const ByteSearch found = FindFirstOf<'<', '&'>(text, from);
            const std::size_t expected = std::min(text.find_first_of("<&", from), text.size());
            ASSERT_EQ(found.at, expected) << text << " from " << from;
            ASSERT_EQ(found.ascii, std::all_of(&text[from], &text[expected], isAscii)) << text << from;
        }
    }
}

TEST(ByteSearch, SameTextIsEquality) {
    std::mt19937 random(4);
    for (int round = 0; round < 20000; ++round) {
        std::string left(random() % 30, 'a');
        for (char& c : left) c = static_cast<char>('a' + random() % 3);
        std::string right = left;
        if (random() % 2 == 0 && !right.empty()) right[random() % right.size()] ^= 1;
        if (random() % 8 == 0) right += 'a';
        ASSERT_EQ(SameText(left, right), left == right) << left << " " << right;
    }
}

}  // namespace
}  // namespace audiogram
