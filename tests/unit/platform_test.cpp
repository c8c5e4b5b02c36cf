#include "platform.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

struct JoinCase {
    const char* name;
    std::vector<std::string> args;  // after the program name
    const char* tail;
};
void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.name; }

const JoinCase JOIN_CASES[] = {
    {"NoArguments", {}, ""},
    {"OneArgument", {"in"}, "in"},
    {"JoinedBySingleSpaces", {"a", "b", "-c", "x y"}, "a b -c x y"},
    {"WholeTailAsOne", {"a b -c x y"}, "a b -c x y"},
    {"EmptyArgumentsKeepTheirSpaces", {"a", "", "b"}, "a  b"},
};

class CommandTail : public testing::TestWithParam<JoinCase> {};
TEST_P(CommandTail, JoinsArguments) {
    std::vector<std::string> args = GetParam().args;
    std::vector<char*> argv{const_cast<char*>("brenvex")};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    EXPECT_STREQ(GetParam().tail, platform::command_tail(static_cast<int>(argv.size() - 1), argv.data()));
}
INSTANTIATE_TEST_SUITE_P(Table, CommandTail, testing::ValuesIn(JOIN_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

namespace fs = std::filesystem;

class PlatformFiles : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("brenvex_platform_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "in", std::ios::binary) << std::string("se\0cret", 7);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
    static std::string read(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    fs::path dir;
};

TEST_F(PlatformFiles, CopyReplacesAndKeepsPrivateFilesPrivate) {
    fs::permissions(at("in"), fs::perms::owner_read | fs::perms::owner_write);
    std::ofstream(at("old")) << "a longer file that is there before";
    const mode_t old_mask = ::umask(022);
    EXPECT_TRUE(platform::copy_file(at("in").c_str(), at("new").c_str()));
    EXPECT_TRUE(platform::copy_file(at("in").c_str(), at("old").c_str()));
    ::umask(old_mask);
    EXPECT_EQ(std::string("se\0cret", 7), read(at("new")));
    EXPECT_EQ(std::string("se\0cret", 7), read(at("old")));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write, fs::status(at("new")).permissions());
}

TEST_F(PlatformFiles, CopyFailureSetsErrno) {
    errno = 0;
    EXPECT_FALSE(platform::copy_file(at("in").c_str(), at("missing/out").c_str()));
    EXPECT_EQ(ENOENT, errno);
    EXPECT_FALSE(platform::copy_file(at("absent").c_str(), at("out").c_str()));
    EXPECT_FALSE(fs::exists(at("out")));
}

TEST_F(PlatformFiles, SameFileByAnyName) {
    fs::create_hard_link(at("in"), at("hard"));
    fs::create_symlink("in", at("soft"));
    std::ofstream(at("other")) << std::string("se\0cret", 7);
    EXPECT_TRUE(platform::same_file(at("in").c_str(), at("in").c_str()));
    EXPECT_TRUE(platform::same_file(at("in").c_str(), (dir / "." / "in").string().c_str()));
    EXPECT_TRUE(platform::same_file(at("in").c_str(), at("hard").c_str()));
    EXPECT_TRUE(platform::same_file(at("in").c_str(), at("soft").c_str()));
    EXPECT_FALSE(platform::same_file(at("in").c_str(), at("other").c_str()));
    EXPECT_FALSE(platform::same_file(at("in").c_str(), at("absent").c_str()));
}

}  // namespace
#endif
