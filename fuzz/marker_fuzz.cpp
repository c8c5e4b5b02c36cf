// The marker search against a plain in-memory search of the same bytes, for
// any contents, marker and read size.
//   data: [piece size selector] [marker length, 2 bytes] [marker] [file contents]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "marker.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // Small pieces to cut everywhere; 1023 as a line-sized piece; the program's own.
    const std::size_t piece_sizes[] = {1, 2, 3, 7, 16, 1023, SEARCH_PIECE_SIZE};
    const std::size_t piece = piece_sizes[data[0] % 7];
    std::size_t marker_len = (data[1] | std::size_t{data[2]} << 8) % (size - 2);
    const char* marker_at = reinterpret_cast<const char*>(data + 3);
    marker_len = strnlen(marker_at, marker_len);  // a marker is a C string
    if (marker_len == 0) return 0;
    const std::string marker(marker_at, marker_len);
    std::string contents(marker_at + marker_len, size - 3 - marker_len);

    const Search expected = contents.find(marker) != std::string::npos ? Search::Found : Search::NotFound;
    if (contents.empty()) contents.push_back('\0');  // fmemopen wants a buffer; the stream reads size bytes
    std::FILE* in = fmemopen(contents.data(), size - 3 - marker_len, "r");
    if (in == nullptr) return 0;
    const Search found = search_stream(in, marker, piece);
    std::fclose(in);
    if (found != expected) std::abort();
    return 0;
}
