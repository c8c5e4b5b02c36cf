// What differs between Linux and Windows. One signature each, one body per OS
// (platform_posix.cpp or platform_win32.cpp; CMake compiles one of them).
#pragma once

namespace platform {

// The command line after the program's own name, as one writable string that
// lives for the whole run. Linux joins argv[1..] with single spaces; Windows
// ignores both arguments and reads its own command line.
char* command_tail(int argc, char** argv);

// Makes `to` a byte-for-byte copy of `from`, replacing an existing file.
// On failure returns false with errno describing why.
bool copy_file(const char* from, const char* to);

// True when both paths exist and name the same file, by whatever name
// (./x and x, a hard link, a symbolic link).
bool same_file(const char* a, const char* b);

}  // namespace platform
