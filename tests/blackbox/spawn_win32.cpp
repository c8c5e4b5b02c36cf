#include <windows.h>

#include "spawn.hpp"

// The program gets exactly this command line, as a user's shell would pass it.
int spawn_in(const std::string& dir, const std::string& exe, const char* name, const std::string& tail,
             long* peak_kib) {
    std::string line = (name != nullptr ? std::string(name) : "\"" + exe + "\" ") + tail;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool ok = GetExitCodeProcess(process.hProcess, &status) != FALSE;
    if (peak_kib != nullptr) *peak_kib = -1;  // Wine keeps no peak for a process that has ended
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok ? static_cast<int>(status) : -1;
}
