#include "support/FifoTrap.h"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

FifoTrap::FifoTrap() {
    const QByteArray fifo = QFile::encodeName(path());
    if (!m_dir.isValid() || ::mkfifo(fifo.constData(), 0600) != 0)
        qFatal("cannot make the FIFO %s", fifo.constData());
    m_watch = std::jthread([fifo](std::stop_token stop) {
        while (!stop.stop_requested()) {
            // Opening the writing end without waiting succeeds only while a reader has the
            // FIFO open, or waits in opening it.
            const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0)
                qFatal("Something read %s: markup was shown as rich text", fifo.constData());
            std::this_thread::sleep_for(10ms);
        }
    });
}

FifoTrap::~FifoTrap() {
    m_watch.request_stop();
    m_watch.join();
}

QString FifoTrap::pictureMarkup() const {
    return QStringLiteral("<img src=\"%1\">").arg(path());
}
