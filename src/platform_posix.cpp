#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform.hpp"

namespace platform {

char* command_tail(int argc, char** argv) {
    static std::string tail;
    tail.clear();
    for (int i = 1; i < argc; ++i) {
        if (i > 1) tail += ' ';
        tail += argv[i];
    }
    return tail.data();
}

namespace {

bool write_all(int fd, const char* data, ssize_t len) {
    while (len > 0) {
        const ssize_t put = ::write(fd, data, static_cast<size_t>(len));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return false;
        data += put;
        len -= put;
    }
    return true;
}

// Closes fd without letting close() overwrite the errno of an earlier failure.
bool close_keeping_errno(int fd, bool ok) {
    const int err = errno;
    const bool closed = ::close(fd) == 0;
    if (!ok) errno = err;
    return ok && closed;
}

}  // namespace

bool copy_file(const char* from, const char* to) {
    const int src = ::open(from, O_RDONLY | O_CLOEXEC);
    if (src < 0) return false;
    struct stat st = {};
    if (::fstat(src, &st) != 0) return close_keeping_errno(src, false);
    // As cp does: a new file gets the input's permission bits less the umask,
    // so a private input does not become a readable copy.
    const int dst = ::open(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 0777);
    if (dst < 0) return close_keeping_errno(src, false);
    static char buffer[256 * 1024];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(src, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!write_all(dst, buffer, got)) {
            ok = false;
            break;
        }
    }
    ok = close_keeping_errno(dst, ok);
    return close_keeping_errno(src, ok);
}

bool same_file(const char* a, const char* b) {
    struct stat sa = {};
    struct stat sb = {};
    return ::stat(a, &sa) == 0 && ::stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace platform
