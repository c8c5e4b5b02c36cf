#include "platform.hpp"
#include "run.hpp"

#ifdef _WIN32
#include <windows.h>

// The C runtime's lpCmdLine follows its own rules in corner cases; the tail
// comes from GetCommandLineA inside platform::command_tail instead.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return run(platform::command_tail(0, nullptr)); }
#else
int main(int argc, char** argv) { return run(platform::command_tail(argc, argv)); }
#endif
