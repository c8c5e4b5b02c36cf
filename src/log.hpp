// The log: standard error reopened onto brenvex.log in the current directory,
// truncated by every run, and the log's own texts for error numbers.
#pragma once

#include <cerrno>
#include <string>

inline constexpr char LOG_FILE_NAME[] = "brenvex.log";

struct ErrorText {
    int number;
    const char* text;
};

// Keyed by the conditions' names, so each platform supplies its own numbers.
// Deliberately not strerror: several of these wordings differ from it.
inline constexpr ErrorText ERROR_TEXT_TABLE[] = {
    {ENOENT, "No such file or directory"},
    {E2BIG, "Argument list too long"},
    {ENOEXEC, "Exec format error"},
    {EBADF, "Bad file number"},
    {ECHILD, "No spawned processes"},
    {EAGAIN, "No more processes or not enough memory or maximum nesting level reached"},
    {ENOMEM, "Not enough memory"},
    {EACCES, "Permission denied"},
    {EEXIST, "File exists"},
    {EXDEV, "Cross-device link"},
    {EINVAL, "Invalid argument"},
    {EMFILE, "Too many open files"},
    {ENOSPC, "No space left on device"},
    {EDOM, "Math argument"},
    {ERANGE, "Result too large"},
    {EDEADLOCK, "Resource deadlock would occur"},
};

// Reopens stderr onto the log. After a failure nothing can be reported.
bool open_log();

// The table's text for err, or "Unknown error <err>".
std::string errno_text(int err);

// Writes prefix, " : ", errno_text(err) and a line feed to the log.
void log_errno_text(const char* prefix, int err);
