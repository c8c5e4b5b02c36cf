#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform.hpp"
#include "run.hpp"

namespace platform {

namespace {

bool is_lead_byte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

// The few errors a copy meets, as the C library's numbers, so the message can
// use the same strerror text as the others.
int errno_of(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

struct FileId {
    DWORD volume, index_high, index_low;
};

bool file_id(const char* path, FileId* id) {
    // No access rights asked: this only reads the file's identity, and the
    // directory flag lets a directory be identified too.
    const HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info) != FALSE;
    CloseHandle(h);
    *id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return ok;
}

}  // namespace

char* command_tail(int /*argc*/, char** /*argv*/) {
    static std::string line;
    line = GetCommandLineA();
    return tail_of_command_line(line.data(), is_lead_byte);
}

bool copy_file(const char* from, const char* to) {
    if (CopyFileA(from, to, FALSE) != FALSE) return true;
    errno = errno_of(GetLastError());
    return false;
}

bool same_file(const char* a, const char* b) {
    FileId ia{};
    FileId ib{};
    return file_id(a, &ia) && file_id(b, &ib) && ia.volume == ib.volume && ia.index_high == ib.index_high &&
           ia.index_low == ib.index_low;
}

}  // namespace platform
