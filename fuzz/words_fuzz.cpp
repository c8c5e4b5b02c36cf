// Word scanning, the marker cut and the help check on arbitrary tails, held
// to what must always hold; the tail of a Windows command line likewise.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "run.hpp"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool is_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The tail is a C string: it ends at the first NUL.
    const std::string tail(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    check(asks_for_help(tail.c_str()) ==
          (tail.find("-h") != std::string::npos || tail.find("-H") != std::string::npos));

    // Exactly the tail's size, so a read past its end is caught by the sanitizer.
    std::vector<char> buffer(tail.begin(), tail.end());
    buffer.push_back('\0');
    char* const begin = buffer.data();
    char* const end = begin + tail.size();
    char* cursor = begin;
    // The run's order: input, output, option (path set), then the marker; and more past it.
    for (const char* set :
         {PATH_DELIMITERS, PATH_DELIMITERS, PATH_DELIMITERS, MARKER_DELIMITERS, PATH_DELIMITERS, MARKER_DELIMITERS}) {
        const char* before = cursor;
        const char* word = next_word(&cursor, set);
        check(cursor >= before && cursor <= end);
        if (word == nullptr) {
            check(cursor == end);
            continue;
        }
        const std::size_t len = std::strlen(word);
        const std::size_t at = static_cast<std::size_t>(word - begin);
        check(len > 0 && word >= before && word + len <= end);
        check(std::strpbrk(word, set) == nullptr);  // no delimiter of its set inside
        check(tail.compare(at, len, word) == 0);    // the tail's own bytes
        // It ends at a delimiter of its set, which is consumed, or at the end.
        check(at + len == tail.size() ? cursor == end
                                      : std::strchr(set, tail[at + len]) != nullptr && cursor == word + len + 1);
    }

    std::vector<char> line(tail.begin(), tail.end());
    line.push_back('\0');
    const char* rest = tail_of_command_line(line.data(), is_lead_byte);
    check(rest >= line.data() && rest <= line.data() + tail.size());
    check(*rest == '\0' || static_cast<unsigned char>(*rest) > ' ');
    return 0;
}
