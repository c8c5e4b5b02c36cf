#pragma once

#include <string>

// Runs the program in `dir` with `tail` as its command line after the
// program's name; returns its exit status (-1 if it did not exit normally).
int spawn_in(const std::string& dir, const std::string& exe, const std::string& tail);
