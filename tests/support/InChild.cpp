#include "support/InChild.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define NARDEL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NARDEL_SANITIZED 1
#endif
#endif

int exitCodeInChild(const std::function<int()>& work, unsigned seconds) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        ::alarm(seconds);
#ifndef NARDEL_SANITIZED
        // The sanitizers reserve far more address space than this for their own use.
        const rlimit memory{1u << 30, 1u << 30};
        ::setrlimit(RLIMIT_AS, &memory);
#endif
        int code = -2;
        try {
            code = work();
        } catch (...) {
        }
        // The parent's resources, its temporary folders among them, are the parent's to end.
        ::_exit(code & 0xff);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (!WIFEXITED(status))
        return -1;
    const int code = WEXITSTATUS(status);
    return code == 0xfe ? -2 : code;
}
