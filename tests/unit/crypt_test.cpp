#include "crypt.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct KeyCase {
    const char* name;
    std::uint32_t offset;
    std::uint8_t key;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

// Worked out from the definition by hand, independently of this code.
// 174005 x 24683 is the last product below 2^32; 87004 and 87005 straddle 2^31.
constexpr KeyCase KEY_CASES[] = {
    {"Zero", 0, 0x00},
    {"One", 1, 0x0B},
    {"Fifteen", 15, 0xF0},
    {"LastBeforeWrap", 174005, 0x87},
    {"FirstAfterWrap", 174006, 0x4B},
    {"LastBelowTwoToThe31", 0x7FFFFFFF, 0x2B},
    {"TwoToThe31", 0x80000000, 0x16},
    {"SecondToLast", 0xFFFFFFFE, 0x56},
    {"Last", 0xFFFFFFFF, 0x59},
};

class KeyByte : public testing::TestWithParam<KeyCase> {};
TEST_P(KeyByte, MatchesWorkedValue) { EXPECT_EQ(GetParam().key, key_byte(GetParam().offset)); }
INSTANTIATE_TEST_SUITE_P(Table, KeyByte, testing::ValuesIn(KEY_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyByte, FirstSixteen) {
    constexpr std::uint8_t expected[16] = {0, 11, 22, 9, 118, 15, 18, 1, 58, 11, 30, 9, 254, 23, 2, 240};
    for (std::uint32_t p = 0; p < 16; ++p) EXPECT_EQ(expected[p], key_byte(p)) << "offset " << p;
}

// Period 251: prime and below 256, so the pattern never lines up with a
// chunk and a byte that lands in the wrong place shows.
std::vector<std::uint8_t> painted(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i % 251);
    return v;
}

struct BlockCase {
    const char* name;
    std::uint32_t offset;
    std::size_t len;
};
void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

constexpr BlockCase BLOCK_CASES[] = {
    {"Start", 0, 3 * CHUNK_SIZE + 7},
    {"UpToFirstProductWrap", 174006 - 100, 100},
    {"FromFirstProductWrap", 174006, 100},
    {"AcrossFirstProductWrap", 174006 - 1000, 2000},
    {"AcrossSecondProductWrap", 348011 - 1000, 2000},
    {"AcrossTwoToThe31", 0x80000000u - 1500, 3000},
    {"AcrossTwoToThe32", 0xFFFFFFFFu - 1500, 3000},
    {"Empty", 12345, 0},
};

class CryptBlock : public testing::TestWithParam<BlockCase> {};
TEST_P(CryptBlock, MatchesKeyByteAtEveryOffset) {
    const BlockCase& c = GetParam();
    auto buf = painted(c.len);
    crypt_block(c.offset, buf.data(), buf.size());
    for (std::size_t i = 0; i < c.len; ++i) {
        const auto expected = static_cast<std::uint8_t>((i % 251) ^ key_byte(c.offset + static_cast<std::uint32_t>(i)));
        ASSERT_EQ(expected, buf[i]) << "index " << i;
    }
}
INSTANTIATE_TEST_SUITE_P(Table, CryptBlock, testing::ValuesIn(BLOCK_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CryptBlock, SplitAnywhereMatchesOneCall) {
    // Offsets that cross a wrap of the product, and 2^32 itself, inside the buffer.
    for (const std::uint32_t start : {174006u - 1500, 0xFFFFFFFFu - 1500}) {
        auto whole = painted(3000);
        crypt_block(start, whole.data(), whole.size());
        for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
            auto pieces = painted(whole.size());
            crypt_block(start, pieces.data(), cut);
            crypt_block(start + static_cast<std::uint32_t>(cut), pieces.data() + cut, pieces.size() - cut);
            ASSERT_EQ(whole, pieces) << "start " << start << ", cut at " << cut;
        }
    }
}

TEST(CryptBlock, TwiceRestores) {
    auto buf = painted(5000);
    crypt_block(77, buf.data(), buf.size());
    ASSERT_NE(painted(5000), buf);
    crypt_block(77, buf.data(), buf.size());
    EXPECT_EQ(painted(5000), buf);
}

}  // namespace
