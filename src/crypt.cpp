#include "crypt.hpp"

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

}  // namespace

void crypt_block(std::uint32_t offset, std::uint8_t* buf, std::size_t len) {
    for (std::size_t i = 0; i < len; ++i) buf[i] ^= key_byte(offset + static_cast<std::uint32_t>(i));
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
