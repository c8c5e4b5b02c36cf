#include "log.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct TextCase {
    const char* name;
    int err;
    const char* text;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

// The numbers come from this platform's <cerrno>; what is pinned is the
// wording for each condition and the fallback for everything else.
const TextCase TEXT_CASES[] = {
    {"Enoent", ENOENT, "No such file or directory"},
    {"E2big", E2BIG, "Argument list too long"},
    {"Ebadf", EBADF, "Bad file number"},
    {"Echild", ECHILD, "No spawned processes"},
    {"Eagain", EAGAIN, "No more processes or not enough memory or maximum nesting level reached"},
    {"Eacces", EACCES, "Permission denied"},
    {"Edom", EDOM, "Math argument"},
    {"Erange", ERANGE, "Result too large"},
    {"Edeadlock", EDEADLOCK, "Resource deadlock would occur"},
    {"Zero", 0, "Unknown error 0"},
    {"One", 1, "Unknown error 1"},
    {"Negative", -5, "Unknown error -5"},
    {"Large", 1000, "Unknown error 1000"},
};

class ErrnoText : public testing::TestWithParam<TextCase> {};
TEST_P(ErrnoText, MatchesTable) { EXPECT_EQ(GetParam().text, errno_text(GetParam().err)); }
INSTANTIATE_TEST_SUITE_P(Table, ErrnoText, testing::ValuesIn(TEXT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// Linux numbers: EDEADLOCK is an alias of EDEADLK, 35; 36 has no row.
TEST(ErrnoText, LinuxNumbers) {
    EXPECT_EQ("Resource deadlock would occur", errno_text(35));
    EXPECT_EQ("Unknown error 36", errno_text(36));
    EXPECT_EQ("No space left on device", errno_text(28));
}
#endif

}  // namespace
