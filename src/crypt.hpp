// The key stream (pure) and the pass that applies it to a file (I/O).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::uint32_t CRYPT_MULTIPLIER = 24683;
inline constexpr std::uint32_t CRYPT_MODULUS = 52711;

// Bytes read per step of the pass: large enough that system calls and stdio
// cost nothing next to the data, small enough to stay in the cache.
inline constexpr std::size_t CHUNK_SIZE = std::size_t{1} << 20;

// The key byte for a file offset: depends on the offset modulo 2^32 only.
constexpr std::uint8_t key_byte(std::uint32_t offset) {
    const std::uint32_t r = (offset * CRYPT_MULTIPLIER) % CRYPT_MODULUS;  // the product wraps at 2^32 first
    const std::uint32_t h = r ^ (r >> 16);
    return static_cast<std::uint8_t>(h ^ (h >> 8));
}

// XORs buf[i] with key_byte(offset + i), the sum taken modulo 2^32: the same
// bytes as calling key_byte for each, at the speed of a plain XOR of two buffers.
void crypt_block(std::uint32_t offset, std::uint8_t* buf, std::size_t len);

// Writes out_path as in_path with the key stream applied. Returns when done;
// any failure is logged and ends the process with status 1.
void crypt_file(const char* in_path, const char* out_path);
