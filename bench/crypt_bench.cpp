// The kernel against its floor, a plain XOR of two buffers, and against the
// key stream computed byte by byte from its definition.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "crypt.hpp"

namespace {

constexpr std::size_t SIZE = CHUNK_SIZE;

void xor_buffers(std::uint8_t* __restrict dst, const std::uint8_t* __restrict src, std::size_t len) {
    for (std::size_t i = 0; i < len; ++i) dst[i] ^= src[i];
}

void PlainXor(benchmark::State& state) {
    std::vector<std::uint8_t> buf(SIZE, 1);
    const std::vector<std::uint8_t> key(SIZE, 2);
    for (auto _ : state) {
        xor_buffers(buf.data(), key.data(), SIZE);
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SIZE));
}

void CryptBlock(benchmark::State& state) {
    std::vector<std::uint8_t> buf(SIZE, 1);
    std::uint32_t offset = 0;
    for (auto _ : state) {
        crypt_block(offset, buf.data(), SIZE);
        offset += SIZE;  // walks through product wraps and, eventually, 2^32
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SIZE));
}

void KeyBytePerByte(benchmark::State& state) {
    std::vector<std::uint8_t> buf(SIZE, 1);
    std::uint32_t offset = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < SIZE; ++i) buf[i] ^= key_byte(offset + static_cast<std::uint32_t>(i));
        offset += SIZE;
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SIZE));
}

}  // namespace

BENCHMARK(PlainXor);
BENCHMARK(CryptBlock);
BENCHMARK(KeyBytePerByte);
BENCHMARK_MAIN();
