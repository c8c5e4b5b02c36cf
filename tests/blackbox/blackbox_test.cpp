// Runs the built program in a fresh directory per case and compares its exit
// status, its log and every file it leaves, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "crypt.hpp"
#include "spawn.hpp"

namespace {

namespace fs = std::filesystem;

// File name to exact bytes; DIRECTORY stands for a directory of that name.
using Files = std::map<std::string, std::string>;
const std::string DIRECTORY = "<a directory>";

enum class Only { Both, Posix, Windows };
#ifdef _WIN32
constexpr Only THIS_PLATFORM = Only::Windows;
#else
constexpr Only THIS_PLATFORM = Only::Posix;
#endif

struct RunCase {
    const char* name;
    std::string tail;       // the command line after the program name
    Files given, expected;  // before and after the run, brenvex.log aside
    int status;
    const char* log;  // exact bytes, '\n' line ends; nullptr: brenvex.log is a directory and stays one
    void (*prepare)(const fs::path& dir) = nullptr;  // what Files cannot say: links
    Only only = Only::Both;
    const char* program_name = nullptr;  // Windows: how the command line names the program; default quoted path
};
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

// Period 251: prime and below 256, so the pattern never lines up with a
// chunk and a byte that lands in the wrong place shows.
std::string painted(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i % 251);
    return s;
}

// Byte by byte from the key's definition: whatever the pass does with chunks
// must come to this.
std::string scrambled(std::string s) {
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char>(s[i] ^ key_byte(static_cast<std::uint32_t>(i)));
    return s;
}

Files with(Files files, const Files& more) {
    for (const auto& [name, bytes] : more) files[name] = bytes;
    return files;
}

const std::string HELP =
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
const std::string MISSING_INPUT = HELP + "Missing input file name.\n";
const std::string MISSING_OUTPUT = HELP + "Missing output file name.\n";

const std::string TEXT = "first line\nsecond line with needle in it\nlast line\n";
const std::string LONG_LINE = std::string(1020, 'x') + "needle" + std::string(2000, 'y') + "\n";
const std::string LONG_MARKER = std::string(1500, 'm') + "-" + std::string(1500, 'm');

// The tables keep one row per case; formatting would spread a row over many lines.
// clang-format off
std::vector<RunCase> command_line_cases() {
    const Files in{{"in", TEXT}};
    const Files scrambled_out = with(in, {{"out", scrambled(TEXT)}});
    return {
        // How Windows finds where the program's name ends and the tail begins.
        {"NameUnquoted", "in out", in, scrambled_out, 0, "", nullptr, Only::Windows, "brenvex.exe\t "},
        {"NameQuotedWithoutGap", "in out", in, scrambled_out, 0, "", nullptr, Only::Windows, "\"brenvex.exe\""},
        {"NameQuoteNeverClosed", "", in, in, 1, MISSING_INPUT.c_str(), nullptr, Only::Windows, "\"brenvex.exe in out"},
        {"EmptyTail", "", {}, {}, 1, MISSING_INPUT.c_str()},
        {"OnlyDelimiters", " \t\"\" ", {}, {}, 1, MISSING_INPUT.c_str()},
        {"OneWord", "in", in, in, 1, MISSING_OUTPUT.c_str()},
        {"HelpAlone", "-h", {}, {}, 0, HELP.c_str()},
        {"HelpUpperAfterPaths", "in out -H", in, in, 0, HELP.c_str()},
        {"HelpInsideMarker", "in out -c \"a-hb\"", in, in, 0, HELP.c_str()},
        {"HelpInsidePath", "my-house out", {{"my-house", TEXT}}, {{"my-house", TEXT}}, 0, HELP.c_str()},
        {"LogTruncatedByHelp", "-h", {{"brenvex.log", "old log\n"}}, {}, 0, HELP.c_str()},
        {"LogTruncatedBySuccess", "in out", with(in, {{"brenvex.log", "old log\n"}}),
         with(in, {{"out", scrambled(TEXT)}}), 0, ""},
        {"LeadingDelimitersAndTab", " \t\"in\"\tout", in, with(in, {{"out", scrambled(TEXT)}}), 0, ""},
        {"QuotedPathWithSpace", "\"in put\" out", in, in, 1, "Bad parameter out. Stop\n"},
    };
}
// clang-format on

// clang-format off
std::vector<RunCase> scrambling_cases() {
    std::vector<RunCase> cases;
    const std::pair<const char*, std::size_t> sizes[] = {
        {"Empty", 0},
        {"OneByte", 1},
        {"ChunkLessOne", CHUNK_SIZE - 1},
        {"OneChunk", CHUNK_SIZE},
        {"ChunkPlusOne", CHUNK_SIZE + 1},
        {"ChunksAndRemainder", 3 * CHUNK_SIZE + 17},
        {"PastProductWrap", 200'000},
    };
    for (const auto& [name, n] : sizes)
        cases.push_back({name, "in out", {{"in", painted(n)}}, {{"in", painted(n)}, {"out", scrambled(painted(n))}}, 0, ""});
    const std::string data = painted(5000);
    cases.push_back({"SecondRunRestores", "in out", {{"in", scrambled(data)}}, {{"in", scrambled(data)}, {"out", data}}, 0, ""});
    return cases;
}
// clang-format on

// clang-format off
std::vector<RunCase> marker_cases() {
    const Files in{{"in", TEXT}};
    const Files copied = with(in, {{"out", TEXT}});
    const Files scrambled_out = with(in, {{"out", scrambled(TEXT)}});
    const std::string after_nul = std::string("hay\0needle\n", 11);
    // Text mode on Windows: a 26 byte ends the file for the search, CR LF reads as LF.
    const Files ctrl_z{{"in", "hay\x1Aneedle\n"}};
    const Files crlf{{"in", "hay\r\nneedle\r\n"}};
    const Files lone_cr{{"in", "hay\rneedle"}};
#ifdef _WIN32
    const Files ctrl_z_out = with(ctrl_z, {{"out", scrambled(ctrl_z.at("in"))}});
    const Files crlf_out = with(crlf, {{"out", scrambled(crlf.at("in"))}});
#else
    const Files ctrl_z_out = with(ctrl_z, {{"out", ctrl_z.at("in")}});
    const Files crlf_out = with(crlf, {{"out", crlf.at("in")}});
#endif
    return {
        {"MarkerAfterCtrlZ", "in out -c \"needle\"", ctrl_z, ctrl_z_out, 0, ""},
        {"MarkerCrBeforeLf", "in out -c \"\r\"", crlf, crlf_out, 0, ""},
        {"MarkerLoneCr", "in out -c \"\r\"", lone_cr, with(lone_cr, {{"out", lone_cr.at("in")}}), 0, ""},
        {"MarkerFound", "in out -c \"needle\"", in, copied, 0, ""},
        {"MarkerFoundUpperOption", "in out -C \"needle in\"", in, copied, 0, ""},
        {"OptionInsideLongerWord", "in out x-cy \"needle\"", in, copied, 0, ""},
        {"MarkerUnquotedIsTheRest", "in out -c needle in it", in, copied, 0, ""},
        {"MarkerAfterTwoSpacesIsOneSpace", "in out -c  \"absent\"", in, copied, 0, ""},
        {"OptionDirectlyBeforeQuote", "in out -c\"needle\"", in, copied, 0, ""},
        {"MarkerFoundReplacesOutput", "in out -c \"needle\"", with(in, {{"out", painted(9000)}}), copied, 0, ""},
        {"MarkerAbsent", "in out -c \"absent\"", in, scrambled_out, 0, ""},
        {"MarkerCaseSensitive", "in out -c \"NEEDLE\"", in, scrambled_out, 0, ""},
        {"BadParameter", "in out -x \"needle\"", in, in, 1, "Bad parameter -x. Stop\n"},
        {"OptionLast", "in out -c", in, in, 1, "Missing string to search. Stop.\n"},
        {"OptionThenQuotesOnly", "in out -c \"\"", in, in, 1, "Missing string to search. Stop.\n"},
        // Found wherever it is: across the cut of a long line, after a NUL,
        // longer than any piece the search reads.
        {"MarkerAcrossLongLine", "in out -c \"needle\"", {{"in", LONG_LINE}}, {{"in", LONG_LINE}, {"out", LONG_LINE}}, 0, ""},
        {"MarkerAfterNul", "in out -c \"needle\"", {{"in", after_nul}}, {{"in", after_nul}, {"out", after_nul}}, 0, ""},
        {"MarkerLongerThanPiece", "in out -c \"" + LONG_MARKER + "\"", {{"in", "<" + LONG_MARKER + ">"}},
         {{"in", "<" + LONG_MARKER + ">"}, {"out", "<" + LONG_MARKER + ">"}}, 0, ""},
    };
}
// clang-format on

// What the program must refuse or report, losing nothing the user had.
// clang-format off
std::vector<RunCase> fault_cases() {
    const std::string data = painted(5000);
    const Files in{{"in", data}};
    const Files small{{"in", painted(100)}};
    const Files big{{"in", painted(CHUNK_SIZE + 5)}};
    const Files text{{"in", TEXT}};
    return {
        {"InputMissing", "nope out", {}, {}, 1, "crypt: error: opening: nope  : No such file or directory\n"},
        {"InputMissingWithMarker", "nope out -c \"x\"", {}, {}, 1,
         "Error opening nope No such file or directory\n"
         "crypt: error: opening: nope  : No such file or directory\n"},
        {"OutputInMissingDirectory", "in nodir/out", in, in, 1,
         "crypt: error: opening: nodir/out  : No such file or directory\n"},
        {"CopyToMissingDirectory", "in nodir/out -c \"needle\"", text, text, 1,
         "Error copying in to nodir/out No such file or directory\n"},
        {"LogIsADirectory", "in out", with(in, {{"brenvex.log", DIRECTORY}}), in, 1, nullptr},
        {"ExistingOutputReplaced", "in out", with(in, {{"out", painted(9000)}}), with(in, {{"out", scrambled(data)}}), 0,
         ""},
        {"SameFileByPath", "in in", in, in, 1, "Input in and output in are the same file. Stop\n"},
        {"SameFileByDotPrefix", "./in in", in, in, 1, "Input ./in and output in are the same file. Stop\n"},
        {"SameFileWithMarker", "in ./in -c \"x\"", in, in, 1, "Input in and output ./in are the same file. Stop\n"},
        {"SameFileByHardLink", "in link", in, with(in, {{"link", data}}), 1,
         "Input in and output link are the same file. Stop\n",
         [](const fs::path& dir) { fs::create_hard_link(dir / "in", dir / "link"); }},
        {"SameFileBySymlink", "in link", in, with(in, {{"link", data}}), 1,
         "Input in and output link are the same file. Stop\n",
         [](const fs::path& dir) { fs::create_symlink("in", dir / "link"); }, Only::Posix},  // Wine has none
        {"OutputIsADirectory", "in out", with(in, {{"out", DIRECTORY}}), with(in, {{"out", DIRECTORY}}), 1,
         "crypt: error: opening: out  : Unknown error 21\n", nullptr, Only::Posix},
        {"OutputIsADirectory", "in out", with(in, {{"out", DIRECTORY}}), with(in, {{"out", DIRECTORY}}), 1,
         "crypt: error: opening: out  : Permission denied\n", nullptr, Only::Windows},
        // Less than a chunk fails only when the output is closed; more fails on a write.
        {"OutputOnFullDeviceAtClose", "in /dev/full", small, small, 1,
         "crypt: error: writing: /dev/full : No space left on device\n", nullptr, Only::Posix},
        {"OutputOnFullDevice", "in /dev/full", big, big, 1, "crypt: error: writing: /dev/full : No space left on device\n",
         nullptr, Only::Posix},
        // A directory opens for reading on Linux and fails on the first read;
        // Windows refuses to open it.
        {"InputIsADirectory", "dir out", {{"dir", DIRECTORY}}, {{"dir", DIRECTORY}, {"out", ""}}, 1,
         "crypt: error: reading: dir : Is a directory\n", nullptr, Only::Posix},
        {"InputIsADirectoryWithMarker", "dir out -c \"x\"", {{"dir", DIRECTORY}}, {{"dir", DIRECTORY}}, 1,
         "Error reading dir Is a directory\n", nullptr, Only::Posix},
        {"InputIsADirectory", "dir out", {{"dir", DIRECTORY}}, {{"dir", DIRECTORY}}, 1,
         "crypt: error: opening: dir  : Permission denied\n", nullptr, Only::Windows},
        {"InputIsADirectoryWithMarker", "dir out -c \"x\"", {{"dir", DIRECTORY}}, {{"dir", DIRECTORY}}, 1,
         "Error opening dir Permission denied\ncrypt: error: opening: dir  : Permission denied\n", nullptr,
         Only::Windows},
    };
}
// clang-format on

Files listing(const fs::path& dir) {
    Files files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name == "brenvex.log") continue;
        if (entry.is_directory()) {
            files[name] = DIRECTORY;
        } else {
            std::ifstream f(entry.path(), std::ios::binary);
            files[name].assign(std::istreambuf_iterator<char>(f), {});
        }
    }
    return files;
}

std::string read_file(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The log is written in text mode: on Windows each line feed reaches the disk as CR LF.
std::string on_disk(const std::string& log) {
#ifdef _WIN32
    std::string crlf;
    for (char c : log) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
#else
    return log;
#endif
}

// The rows that hold on this platform.
std::vector<RunCase> here(std::vector<RunCase> cases) {
    std::erase_if(cases, [](const RunCase& c) { return c.only != Only::Both && c.only != THIS_PLATFORM; });
    return cases;
}

class Run : public testing::TestWithParam<RunCase> {};

TEST_P(Run, StatusLogAndFiles) {
    const RunCase& c = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("brenvex_blackbox_" + std::string(c.name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& [name, bytes] : c.given) {
        if (bytes == DIRECTORY)
            fs::create_directory(dir / name);
        else
            std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    if (c.prepare != nullptr) c.prepare(dir);

    const int status = spawn_in(dir.string(), BRENVEX_EXE, c.program_name, c.tail);

    const std::string log = c.log == nullptr ? "" : read_file(dir / "brenvex.log");
    const std::string shown_tail = c.tail.size() > 200 ? c.tail.substr(0, 200) + "..." : c.tail;
    SCOPED_TRACE("tail: " + shown_tail + "\nstatus: " + std::to_string(status) + "\nlog:\n" + log);
    EXPECT_EQ(c.status, status);
    if (c.log == nullptr)
        EXPECT_TRUE(fs::is_directory(dir / "brenvex.log"));
    else
        EXPECT_EQ(on_disk(c.log), log);
    const Files left = listing(dir);
    EXPECT_EQ(c.expected.size(), left.size());
    for (const auto& [name, bytes] : c.expected) {
        const auto found = left.find(name);
        if (found == left.end())
            ADD_FAILURE() << name << " is missing";
        else
            EXPECT_TRUE(bytes == found->second)
                << name << " differs: " << found->second.size() << " bytes, " << bytes.size() << " expected";
    }
    for (const auto& [name, bytes] : left)
        if (!c.expected.contains(name)) ADD_FAILURE() << name << " was not expected";
    if (!HasFailure()) fs::remove_all(dir);
}

const auto NAME = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(CommandLine, Run, testing::ValuesIn(here(command_line_cases())), NAME);
INSTANTIATE_TEST_SUITE_P(Scrambling, Run, testing::ValuesIn(here(scrambling_cases())), NAME);
INSTANTIATE_TEST_SUITE_P(Marker, Run, testing::ValuesIn(here(marker_cases())), NAME);
INSTANTIATE_TEST_SUITE_P(Faults, Run, testing::ValuesIn(here(fault_cases())), NAME);

}  // namespace
