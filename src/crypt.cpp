#include "crypt.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "log.hpp"

namespace {

constexpr char OPEN_FAILED[] = "crypt: error: opening: %s";  // log_errno_text ends the line
constexpr char READ_FAILED[] = "crypt: error: reading: %s : %s\n";
constexpr char WRITE_FAILED[] = "crypt: error: writing: %s : %s\n";

[[noreturn]] void fail_open(const char* path) {
    const int err = errno;  // the fprintf below may change errno
    std::fprintf(stderr, OPEN_FAILED, path);
    log_errno_text(" ", err);
    std::exit(1);
}

[[noreturn]] void fail_io(const char* format, const char* path) {
    const int err = errno;
    std::fprintf(stderr, format, path, std::strerror(err));
    std::exit(1);
}

// Between two wraps of offset x CRYPT_MULTIPLIER past 2^32 (one every 174,005
// or 174,006 offsets), r = product mod CRYPT_MODULUS steps by +CRYPT_MULTIPLIER
// modulo the prime CRYPT_MODULUS. So the key stream is a window into one cycle:
// KEY_CYCLE[j] is the key byte of r = j x CRYPT_MULTIPLIER mod CRYPT_MODULUS.
constexpr std::uint32_t N = CRYPT_MODULUS;
constexpr std::uint64_t TWO_TO_THE_32 = std::uint64_t{1} << 32;

constexpr std::uint64_t power_mod(std::uint64_t base, std::uint64_t exponent) {
    std::uint64_t result = 1;
    for (base %= N; exponent > 0; exponent >>= 1, base = base * base % N)
        if (exponent & 1) result = result * base % N;
    return result;
}

constexpr std::array<std::uint8_t, N> make_key_cycle() {
    std::array<std::uint8_t, N> cycle{};
    for (std::uint32_t j = 0; j < N; ++j) cycle[j] = key_byte(j);  // j < 2^32 / CRYPT_MULTIPLIER: no wrap yet
    return cycle;
}
constexpr std::array<std::uint8_t, N> KEY_CYCLE = make_key_cycle();

// Each wrap subtracts 2^32 from the product, which moves the index back by
// 2^32 / CRYPT_MULTIPLIER modulo N (the inverse by Fermat: N is prime).
constexpr std::uint64_t WRAP_SHIFT = TWO_TO_THE_32 % N * power_mod(CRYPT_MULTIPLIER, N - 2) % N;

// Kept apart so that the compiler sees two unaliased ranges and vectorises it;
// unrolled so that the loop's own count and branch are spread over 64 bytes.
void xor_into(std::uint8_t* __restrict dst, const std::uint8_t* __restrict key, std::size_t len) {
#pragma GCC unroll 4
    for (std::size_t i = 0; i < len; ++i) dst[i] ^= key[i];
}

}  // namespace

void crypt_block(std::uint32_t offset, std::uint8_t* buf, std::size_t len) {
    while (len > 0) {
        const std::uint64_t wraps = std::uint64_t{offset} * CRYPT_MULTIPLIER >> 32;
        // First offset of the next wrap; at most 2^32, where offset itself wraps to 0.
        const std::uint64_t next_wrap = ((wraps + 1) * TWO_TO_THE_32 + CRYPT_MULTIPLIER - 1) / CRYPT_MULTIPLIER;
        std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(len, next_wrap - offset));
        std::size_t j = static_cast<std::size_t>((offset % N + N - wraps * WRAP_SHIFT % N) % N);
        len -= run;
        offset += static_cast<std::uint32_t>(run);
        while (run > 0) {
            const std::size_t n = std::min<std::size_t>(run, N - j);
            xor_into(buf, KEY_CYCLE.data() + j, n);
            buf += n;
            run -= n;
            j = 0;
        }
    }
}

void crypt_file(const char* in_path, const char* out_path) {
    // "rb", not "r": text mode on Windows would turn CR LF into LF and stop at a 26 byte.
    std::FILE* in = std::fopen(in_path, "rb");
    if (in == nullptr) fail_open(in_path);
    std::FILE* out = std::fopen(out_path, "wb");
    if (out == nullptr) fail_open(out_path);

    static std::uint8_t chunk[CHUNK_SIZE];
    // Counted here rather than asked of the stream: no system call per chunk,
    // and no 32-bit position that wraps past 2 GiB.
    std::uint64_t offset = 0;
    std::size_t got = 0;
    do {
        got = std::fread(chunk, 1, CHUNK_SIZE, in);
        crypt_block(static_cast<std::uint32_t>(offset), chunk, got);
        if (std::fwrite(chunk, 1, got, out) != got) fail_io(WRITE_FAILED, out_path);
        offset += got;
    } while (got == CHUNK_SIZE);
    // A short read is the end of the input or an error; a directory opened
    // as input lands here on its first read.
    if (std::ferror(in)) fail_io(READ_FAILED, in_path);
    std::fclose(in);
    if (std::fclose(out) != 0) fail_io(WRITE_FAILED, out_path);
}
