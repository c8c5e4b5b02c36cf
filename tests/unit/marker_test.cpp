#include "marker.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A stream holding exactly these bytes, read back from the start.
std::FILE* stream_of(const std::string& bytes) {
    std::FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    return f;
}

Search search(const std::string& bytes, const std::string& marker, std::size_t piece_size) {
    std::FILE* f = stream_of(bytes);
    const Search result = search_stream(f, marker, piece_size);
    std::fclose(f);
    return result;
}

struct SearchCase {
    const char* name;
    std::string bytes;
    const char* marker;
    std::size_t piece_size;
    Search result;
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

const std::string LONG_LINE = std::string(1020, 'x') + "needle" + std::string(500, 'y') + "\n";
const std::string LONG_MARKER = std::string(3000, 'm');
const std::string FENCED_MARKER = '<' + LONG_MARKER + '>';
const std::string FENCED_SHORT_MARKER = '<' + LONG_MARKER.substr(1) + '>';

const SearchCase SEARCH_CASES[] = {
    {"AtStart", "needle and hay\n", "needle", SEARCH_PIECE_SIZE, Search::Found},
    {"OnLaterLine", "hay\nmore hay\nneedle\n", "needle", SEARCH_PIECE_SIZE, Search::Found},
    {"AtVeryEnd", "hay needle", "needle", SEARCH_PIECE_SIZE, Search::Found},
    {"Absent", "hay\nhay\n", "needle", SEARCH_PIECE_SIZE, Search::NotFound},
    {"OnlyItsStartAtEnd", "hay needl", "needle", SEARCH_PIECE_SIZE, Search::NotFound},
    {"CaseSensitive", "NEEDLE\n", "needle", SEARCH_PIECE_SIZE, Search::NotFound},
    {"EmptyInput", "", "needle", SEARCH_PIECE_SIZE, Search::NotFound},
    {"AfterNul", std::string("hay\0needle", 10), "needle", SEARCH_PIECE_SIZE, Search::Found},
    {"AcrossCutOfLongLine", LONG_LINE, "needle", 1023, Search::Found},
    {"AcrossEveryCut", "abcdefghij", "defg", 4, Search::Found},
    {"LongerThanPiece", FENCED_MARKER, LONG_MARKER.c_str(), 1023, Search::Found},
    {"LongerThanPieceOneShort", FENCED_SHORT_MARKER, LONG_MARKER.c_str(), 1023, Search::NotFound},
    {"MarkerWithSpaces", "a  b\n", " ", 1, Search::Found},
};

class SearchStream : public testing::TestWithParam<SearchCase> {};
TEST_P(SearchStream, FindsWhatIsThere) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(c.result, search(c.bytes, c.marker, c.piece_size));
}
INSTANTIATE_TEST_SUITE_P(Table, SearchStream, testing::ValuesIn(SEARCH_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// Every cut of the input into pieces must give the answer of one in-memory search.
TEST(SearchStream, AgreesWithInMemorySearchForEveryPieceSize) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += static_cast<char>((i * 37) % 7 == 0 ? '\0' : 'a' + (i * 13) % 5);
    for (std::size_t piece = 1; piece <= 40; ++piece)
        for (std::size_t at = 0; at < bytes.size(); at += 7)
            for (std::size_t len : {1, 2, 5, 17, 60}) {
                std::string marker = bytes.substr(at, len);
                if (marker.find('\0') != std::string::npos) continue;  // a marker is a C string
                for (const std::string& m : {marker, marker + "q"}) {
                    const Search expected = bytes.find(m) != std::string::npos ? Search::Found : Search::NotFound;
                    ASSERT_EQ(expected, search(bytes, m, piece)) << "piece " << piece << " marker at " << at;
                }
            }
}

#ifndef _WIN32
// A directory opens for reading on Linux and fails on the first read.
TEST(SearchStream, ReadErrorIsReported) {
    std::FILE* dir = std::fopen(".", "r");
    ASSERT_NE(nullptr, dir);
    EXPECT_EQ(Search::ReadError, search_stream(dir, "x"));
    std::fclose(dir);
}
#endif

}  // namespace
