#include "run.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crypt.hpp"
#include "log.hpp"
#include "marker.hpp"
#include "platform.hpp"

namespace {

constexpr char HELP_TEXT[] =
    "brenvex, the keyless file scrambler, by the brenvex developers\n"
    "usage:\n"
    "Brenvex <infile> <outfile> [-c \"String to search\"]\n"
    "BrenVex -h (prints this help message to the \"BrenVex.log\" file)\n"
    "\n"
    "Encrypts/decrypts input file contents and puts\n"
    "the result in the output file.\n"
    "This program is reversible, this means\n"
    "that you can run it twice and obtain the\n"
    "original file.\n"
    "If the \"-c\" optional parameter is used, the program first\n"
    "searches for the \"String to search\" string inside the\n"
    "<infile>, and, if it finds it, then it only makes a copy of\n"
    "the input file to the output one (no encryption is done).\n"
    "Version: " BRENVEX_VERSION "\n";

constexpr char MISSING_INPUT[] = "Missing input file name.\n";
constexpr char MISSING_OUTPUT[] = "Missing output file name.\n";
constexpr char SAME_FILE[] = "Input %s and output %s are the same file. Stop\n";

[[noreturn]] void fail_with_help(const char* message) {
    std::fputs(HELP_TEXT, stderr);
    std::fputs(message, stderr);
    std::exit(1);
}

}  // namespace

char* tail_of_command_line(char* line, bool (*is_lead_byte)(unsigned char)) {
    auto code = [](const char* c) { return static_cast<unsigned char>(*c); };
    char* p = line;
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p)
            if (is_lead_byte(code(p)) && p[1] != '\0') ++p;
        if (*p == '"') ++p;
    } else {
        while (code(p) > ' ') ++p;
    }
    while (*p != '\0' && code(p) <= ' ') ++p;
    return p;
}

char* next_word(char** cursor, const char* delimiters) {
    char* word = *cursor + std::strspn(*cursor, delimiters);
    if (*word == '\0') {
        *cursor = word;
        return nullptr;
    }
    char* end = word + std::strcspn(word, delimiters);
    if (*end != '\0') *end++ = '\0';
    *cursor = end;
    return word;
}

bool asks_for_help(const char* tail) {
    return std::strstr(tail, "-h") != nullptr || std::strstr(tail, "-H") != nullptr;
}

int run(char* tail) {
    if (!open_log()) std::exit(1);
    if (asks_for_help(tail)) {
        std::fputs(HELP_TEXT, stderr);
        std::exit(0);
    }
    char* cursor = tail;
    const char* in_path = next_word(&cursor, PATH_DELIMITERS);
    if (in_path == nullptr) fail_with_help(MISSING_INPUT);
    const char* out_path = next_word(&cursor, PATH_DELIMITERS);
    if (out_path == nullptr) fail_with_help(MISSING_OUTPUT);
    // Writing the output would destroy the input before it is read.
    if (platform::same_file(in_path, out_path)) {
        std::fprintf(stderr, SAME_FILE, in_path, out_path);
        std::exit(1);
    }
    if (const char* option = next_word(&cursor, PATH_DELIMITERS)) run_marker_option(in_path, out_path, option, &cursor);
    crypt_file(in_path, out_path);
    return 0;
}
