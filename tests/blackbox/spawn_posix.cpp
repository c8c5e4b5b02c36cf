#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "spawn.hpp"

// The tail is cut at every single space into arguments, which the program
// joins back with single spaces: the same tail, and the joining is exercised.
int spawn_in(const std::string& dir, const std::string& exe, const char* /*name*/, const std::string& tail,
             long* peak_kib) {
    std::vector<std::string> args{exe};
    if (!tail.empty()) {
        std::size_t start = 0;
        for (std::size_t space; (space = tail.find(' ', start)) != std::string::npos; start = space + 1)
            args.push_back(tail.substr(start, space - start));
        args.push_back(tail.substr(start));
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(dir.c_str()) == 0) ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return -1;
    if (peak_kib != nullptr) *peak_kib = usage.ru_maxrss;
    return WEXITSTATUS(status);
}
