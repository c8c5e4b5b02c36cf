// The -c option: look for a marker text in the input and, when it is there,
// copy the input to the output unchanged instead of scrambling it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

// Bytes read per step of the search; the window also keeps the last
// marker length - 1 bytes of the step before, so no cut can hide a match.
inline constexpr std::size_t SEARCH_PIECE_SIZE = std::size_t{64} << 10;

enum class Search { NotFound, Found, ReadError };

// Reads `in` until the marker appears or the stream ends. On ReadError errno
// is as the failed read left it. The marker must not be empty.
Search search_stream(std::FILE* in, std::string_view marker, std::size_t piece_size = SEARCH_PIECE_SIZE);

// Searches the file in text mode (so on Windows CR LF reads as LF and a 26
// byte ends it). An input that cannot be opened is logged and not found; a
// read error is logged and ends the run with status 1.
bool find_marker(const char* path, const char* marker);

// Handles the third word and the marker after it, continuing the word scan
// at *cursor. Returns when the marker is not found; otherwise ends the run.
void run_marker_option(const char* in_path, const char* out_path, const char* option, char** cursor);
