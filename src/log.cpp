#include "log.hpp"

#include <cstdio>

bool open_log() { return std::freopen(LOG_FILE_NAME, "w", stderr) != nullptr; }

std::string errno_text(int err) {
    for (const ErrorText& row : ERROR_TEXT_TABLE)
        if (row.number == err) return row.text;
    return "Unknown error " + std::to_string(err);
}

void log_errno_text(const char* prefix, int err) { std::fprintf(stderr, "%s : %s\n", prefix, errno_text(err).c_str()); }
