#include "run.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One scan step: which delimiter set, and the word it must give (nullptr: none).
struct Step {
    const char* delimiters;
    const char* word;
};

struct ScanCase {
    const char* name;
    const char* tail;
    std::vector<Step> steps;
};
void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

constexpr const char* P = PATH_DELIMITERS;
constexpr const char* M = MARKER_DELIMITERS;

const ScanCase SCAN_CASES[] = {
    {"Empty", "", {{P, nullptr}, {P, nullptr}}},
    {"OnlyDelimiters", " \t\"\" ", {{P, nullptr}, {M, nullptr}}},
    {"TwoPaths", "in out", {{P, "in"}, {P, "out"}, {P, nullptr}}},
    {"LeadingDelimitersAndTab", " \t\"in\"\tout", {{P, "in"}, {P, "out"}, {P, nullptr}}},
    {"QuotedPathWithSpace", "\"my file\" out", {{P, "my"}, {P, "file"}, {P, "out"}}},
    {"QuotedMarker", "a b -c \"x y\" tail", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, "x y"}, {P, "tail"}}},
    {"UnquotedMarkerIsTheRest", "a b -c x y\tz", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, "x y\tz"}}},
    {"TwoSpacesBeforeQuote", "a b -c  \"x\"", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, " "}, {M, "x"}}},
    {"OptionFollowedByQuote", "a b -c\"x\"", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, "x"}, {M, nullptr}}},
    {"OptionLast", "a b -c", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, nullptr}, {M, nullptr}}},
    {"OptionThenQuotesOnly", "a b -c \"\"", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, nullptr}}},
    {"SpacesAreNotMarkerDelimiters", "a b -c   ", {{P, "a"}, {P, "b"}, {P, "-c"}, {M, "  "}}},
};

class NextWord : public testing::TestWithParam<ScanCase> {};
TEST_P(NextWord, GivesWordsInOrder) {
    const ScanCase& c = GetParam();
    std::string tail = c.tail;
    const char* const end = tail.data() + tail.size();
    char* cursor = tail.data();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const char* word = next_word(&cursor, c.steps[i].delimiters);
        if (c.steps[i].word == nullptr) {
            EXPECT_EQ(nullptr, word) << "step " << i << " gave \"" << word << '"';
        } else {
            ASSERT_NE(nullptr, word) << "step " << i;
            EXPECT_STREQ(c.steps[i].word, word) << "step " << i;
        }
        ASSERT_LE(cursor, end) << "step " << i << " moved past the tail";
    }
}
INSTANTIATE_TEST_SUITE_P(Table, NextWord, testing::ValuesIn(SCAN_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineCase {
    const char* name;
    const char* line;  // the whole command line, program name first
    const char* tail;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

// Lead bytes as in a Shift JIS code page, so that a trail byte can be a double quote.
bool is_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

const LineCase LINE_CASES[] = {
    {"Empty", "", ""},
    {"QuotedName", "\"C:\\Program Files\\brenvex.exe\" in out", "in out"},
    {"QuotedNameWithoutGap", "\"brenvex.exe\"in out", "in out"},
    {"QuotedNameNeverClosed", "\"brenvex in out", ""},
    {"QuotedNameOnly", "\"brenvex.exe\"", ""},
    {"TrailByteIsNotTheClosingQuote", "\"\x81\"brenvex\" in", "in"},
    {"LeadByteAtTheEnd", "\"ab\x81", ""},
    {"UnquotedName", "brenvex.exe in out", "in out"},
    {"UnquotedNameWithHighBytes", "br\xE9nvex.exe in", "in"},
    {"UnquotedNameOnly", "brenvex.exe", ""},
    {"ControlCodesSkipped", "brenvex.exe\t \x01\x1F in", "in"},
    {"QuoteAfterNameKept", "brenvex.exe   \"in\" out", "\"in\" out"},
};

class TailOfCommandLine : public testing::TestWithParam<LineCase> {};
TEST_P(TailOfCommandLine, SkipsTheProgramName) {
    std::string line = GetParam().line;
    EXPECT_STREQ(GetParam().tail, tail_of_command_line(line.data(), is_lead_byte));
}
INSTANTIATE_TEST_SUITE_P(Table, TailOfCommandLine, testing::ValuesIn(LINE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AsksForHelp, AnywhereInTheTail) {
    EXPECT_TRUE(asks_for_help("-h"));
    EXPECT_TRUE(asks_for_help("in out -c \"a-Hb\""));
    EXPECT_TRUE(asks_for_help("my-house out"));
    EXPECT_FALSE(asks_for_help("in out -c \"h-\""));
    EXPECT_FALSE(asks_for_help(""));
}

}  // namespace
