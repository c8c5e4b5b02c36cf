// The kernel against its floor, a plain XOR of two buffers, and against the
// key stream computed byte by byte from its definition.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "crypt.hpp"

namespace {

constexpr std::size_t SIZE = CHUNK_SIZE;

// Applies `step` to one chunk-sized buffer per iteration, at an offset that
// walks through product wraps and, eventually, 2^32; reports bytes per second.
template <typename Step>
void per_chunk(benchmark::State& state, Step step) {
    std::vector<std::uint8_t> buf(SIZE, 1);
    std::uint32_t offset = 0;
    for (auto _ : state) {
        step(offset, buf.data());
        offset += SIZE;
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SIZE));
}

void xor_buffers(std::uint8_t* __restrict dst, const std::uint8_t* __restrict src, std::size_t len) {
    for (std::size_t i = 0; i < len; ++i) dst[i] ^= src[i];
}

void PlainXor(benchmark::State& state) {
    const std::vector<std::uint8_t> key(SIZE, 2);
    per_chunk(state, [&key](std::uint32_t /*offset*/, std::uint8_t* buf) { xor_buffers(buf, key.data(), SIZE); });
}

void CryptBlock(benchmark::State& state) {
    per_chunk(state, [](std::uint32_t offset, std::uint8_t* buf) { crypt_block(offset, buf, SIZE); });
}

void KeyBytePerByte(benchmark::State& state) {
    per_chunk(state, [](std::uint32_t offset, std::uint8_t* buf) {
        for (std::size_t i = 0; i < SIZE; ++i) buf[i] ^= key_byte(offset + static_cast<std::uint32_t>(i));
    });
}

}  // namespace

BENCHMARK(PlainXor);
BENCHMARK(CryptBlock);
BENCHMARK(KeyBytePerByte);
BENCHMARK_MAIN();
