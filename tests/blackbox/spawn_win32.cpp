#include <windows.h>
// psapi.h needs the types that windows.h declares
#include <psapi.h>

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
    PROCESS_MEMORY_COUNTERS memory{};
    if (peak_kib != nullptr && GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        *peak_kib = static_cast<long>(memory.PeakWorkingSetSize / 1024);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok ? static_cast<int>(status) : -1;
}
