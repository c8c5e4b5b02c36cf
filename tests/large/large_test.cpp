// A file past the 32-bit limits, scrambled and restored by the built program,
// checked byte by byte in windows around 2^31 and 2^32 against the key; and
// the program's memory, which must not grow with the input.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "crypt.hpp"
#include "spawn.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t GIB = std::uint64_t{1} << 30;
constexpr std::uint64_t MIB = std::uint64_t{1} << 20;
constexpr std::uint64_t SIZE = 4 * GIB + 300 * MIB;  // about 4.3 GiB
constexpr std::size_t WINDOW = std::size_t{64} << 10;

// Where the input carries data; the rest of it is a hole, which reads as zeros.
constexpr std::uint64_t WINDOWS[] = {0, 2 * GIB - WINDOW / 2, 4 * GIB - WINDOW / 2, SIZE - WINDOW};

std::string painted(std::uint64_t at, std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((at + i) % 251);
    return s;
}

std::string read_at(const fs::path& path, std::uint64_t at, std::size_t n) {
    std::ifstream f(path, std::ios::binary);
    f.seekg(static_cast<std::streamoff>(at));
    std::string s(n, '\0');
    f.read(s.data(), static_cast<std::streamsize>(n));
    return s;
}

class LargeFile : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / "brenvex_large";
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    long run(const std::string& tail) {
        long peak_kib = 0;
        EXPECT_EQ(0, spawn_in(dir.string(), BRENVEX_EXE, nullptr, tail, &peak_kib)) << tail;
        EXPECT_EQ(0u, fs::file_size(dir / "brenvex.log")) << tail;
        return peak_kib;
    }

    fs::path dir;
};

TEST_F(LargeFile, ScramblesAndRestoresPastTwoToThe32InBoundedMemory) {
    // The input is sparse; its scrambled copy and the restored one are not.
    const std::uint64_t needed = 2 * SIZE + GIB;
    const std::uint64_t available = fs::space(dir).available;
    if (available < needed)
        GTEST_SKIP() << "needs " << needed / GIB << " GiB free in " << dir << ", has " << available / GIB;

    {
        std::ofstream(dir / "small", std::ios::binary) << painted(0, std::size_t{4} << 20);
        std::ofstream in(dir / "in", std::ios::binary);
        for (const std::uint64_t at : WINDOWS) {
            in.seekp(static_cast<std::streamoff>(at));
            in << painted(at, WINDOW);
        }
    }
    fs::resize_file(dir / "in", SIZE);

    const long small_peak = run("small small.out");
    const long large_peak = run("in out");
    if (small_peak >= 0 && large_peak >= 0) {
        EXPECT_LE(large_peak, small_peak + 1024)
            << "peak KiB: 4 MiB input " << small_peak << ", 4.3 GiB " << large_peak;
    }

    ASSERT_EQ(SIZE, fs::file_size(dir / "out"));
    for (const std::uint64_t at : WINDOWS) {
        const std::string in = read_at(dir / "in", at, WINDOW);
        const std::string out = read_at(dir / "out", at, WINDOW);
        for (std::size_t i = 0; i < WINDOW; ++i) {
            const auto key = key_byte(static_cast<std::uint32_t>(at + i));  // the offset modulo 2^32
            ASSERT_EQ(static_cast<char>(in[i] ^ key), out[i]) << "offset " << at + i;
        }
    }

    run("out back");
    fs::remove(dir / "out");
    ASSERT_EQ(SIZE, fs::file_size(dir / "back"));
    for (const std::uint64_t at : WINDOWS)
        ASSERT_TRUE(read_at(dir / "in", at, WINDOW) == read_at(dir / "back", at, WINDOW)) << "window at " << at;
}

}  // namespace
