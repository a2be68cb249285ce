#include "support/BoundedRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <cerrno>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define NARDEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NARDEL_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// In the child, before it does the work.
void limitAddressSpace([[maybe_unused]] qint64 bytes) {
#ifndef NARDEL_ADDRESS_SANITIZER
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    ::setrlimit(RLIMIT_AS, &limit);
#endif
}

} // namespace

BoundedRun BoundedRun::of(const QString& program, const QStringList& arguments, int seconds,
                          qint64 memoryBytes) {
    QProcess process;
    process.setChildProcessModifier([memoryBytes] { limitAddressSpace(memoryBytes); });
    process.start(QCoreApplication::applicationDirPath() + '/' + program, arguments);
    BoundedRun run;
    run.finished =
        process.waitForFinished(seconds * 1000) && process.exitStatus() == QProcess::NormalExit;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

int exitCodeInChild(const std::function<int()>& work, unsigned seconds) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        ::alarm(seconds);
        limitAddressSpace(qint64(1) << 30);
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
