#include "marker.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform.hpp"
#include "run.hpp"

namespace {

constexpr char BAD_PARAMETER[] = "Bad parameter %s. Stop\n";
constexpr char MISSING_MARKER[] = "Missing string to search. Stop.\n";
constexpr char OPEN_FAILED[] = "Error opening %s %s\n";
constexpr char READ_FAILED[] = "Error reading %s %s\n";
constexpr char COPY_FAILED[] = "Error copying %s to %s %s\n";

}  // namespace

Search search_stream(std::FILE* in, std::string_view marker, std::size_t piece_size) {
    const std::size_t overlap = marker.size() - 1;
    std::vector<char> window(overlap + piece_size);
    std::size_t kept = 0;
    for (;;) {
        const std::size_t got = std::fread(window.data() + kept, 1, piece_size, in);
        if (std::ferror(in)) return Search::ReadError;
        const std::string_view seen(window.data(), kept + got);
        if (seen.find(marker) != std::string_view::npos) return Search::Found;
        if (std::feof(in)) return Search::NotFound;
        kept = std::min(overlap, seen.size());
        std::memmove(window.data(), window.data() + seen.size() - kept, kept);
    }
}

bool find_marker(const char* path, const char* marker) {
    std::FILE* in = std::fopen(path, "r");
    if (in == nullptr) {
        const int err = errno;
        std::fprintf(stderr, OPEN_FAILED, path, std::strerror(err));
        return false;
    }
    const Search result = search_stream(in, marker);
    if (result == Search::ReadError) {
        const int err = errno;
        std::fprintf(stderr, READ_FAILED, path, std::strerror(err));
        std::exit(1);
    }
    std::fclose(in);
    return result == Search::Found;
}

void run_marker_option(const char* in_path, const char* out_path, const char* option, char** cursor) {
    if (std::strstr(option, "-c") == nullptr && std::strstr(option, "-C") == nullptr) {
        std::fprintf(stderr, BAD_PARAMETER, option);
        std::exit(1);
    }
    const char* marker = next_word(cursor, MARKER_DELIMITERS);
    if (marker == nullptr) {
        std::fputs(MISSING_MARKER, stderr);
        std::exit(1);
    }
    if (!find_marker(in_path, marker)) return;
    if (!platform::copy_file(in_path, out_path)) {
        const int err = errno;
        std::fprintf(stderr, COPY_FAILED, in_path, out_path, std::strerror(err));
        std::exit(1);
    }
    std::exit(0);
}
