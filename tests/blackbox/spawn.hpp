#pragma once

#include <string>

// Runs the program in `dir` with `tail` as its command line after the
// program's name; returns its exit status (-1 if it did not exit normally)
// and, where asked, its peak resident memory in KiB (-1 where it is not known).
// On Windows the command line starts with `name` instead of the quoted
// program path where it is given (POSIX passes arguments, so it has no use).
int spawn_in(const std::string& dir, const std::string& exe, const char* name, const std::string& tail,
             long* peak_kib = nullptr);
