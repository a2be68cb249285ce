#include "support/BoundedRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <sys/resource.h>

// The address sanitizer's shadow takes terabytes of address space: under it, only the time
// is limited.
#if defined(__SANITIZE_ADDRESS__)
#define NARDEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NARDEL_ADDRESS_SANITIZER 1
#endif
#endif

BoundedRun BoundedRun::of(const QString& program, const QStringList& arguments, int seconds,
                          qint64 memoryBytes) {
    QProcess process;
#ifndef NARDEL_ADDRESS_SANITIZER
    process.setChildProcessModifier([memoryBytes] {
        const rlimit limit{rlim_t(memoryBytes), rlim_t(memoryBytes)};
        setrlimit(RLIMIT_AS, &limit);
    });
#else
    Q_UNUSED(memoryBytes);
#endif
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
