// The run sequence: log, help check, the two paths, the optional marker
// option, the scrambling pass, and the exit status.
#pragma once

// Paths never contain these; the marker runs up to the next double quote.
inline constexpr char PATH_DELIMITERS[] = " \t\"";
inline constexpr char MARKER_DELIMITERS[] = "\"";

// The tail of a whole command line as Windows hands it over: the program's
// name is a quoted run up to the next double quote (a trail byte of a
// double-byte character is never taken for it) or, unquoted, runs up to the
// first code of 32 or below; then codes 1 to 32 are skipped.
char* tail_of_command_line(char* line, bool (*is_lead_byte)(unsigned char));

// Takes the next word from *cursor, strtok style: skips delimiters, then the
// word runs to the next delimiter, which is overwritten with a NUL and
// consumed (that one character only). Returns nullptr when only delimiters
// are left; *cursor then stays at the end.
char* next_word(char** cursor, const char* delimiters);

// "-h" or "-H" anywhere in the tail, paths and marker included.
bool asks_for_help(const char* tail);

// Returns 0 when the pass has finished; every other outcome ends the process
// from where it happens, with status 0 (help, plain copy) or 1.
int run(char* tail);
