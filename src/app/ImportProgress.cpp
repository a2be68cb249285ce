#include "app/ImportProgress.h"

#include <QLocale>
#include <QString>

QString ImportProgress::phaseName(ArchiveImport::Phase phase) {
    switch (phase) {
    case ArchiveImport::Phase::Reading:
        return tr("Čtení archivu");
    case ArchiveImport::Phase::Names:
        return tr("Tabulka jmen");
    case ArchiveImport::Phase::Synonyms:
        return tr("Synonyma");
    }
    return {};
}

void ImportProgress::show(ArchiveImport::Phase phase, qint64 done, qint64 total, qint64 rows) {
    const qint64 now = clock_.elapsed();
    if (int(phase) != phase_) {
        if (drawn_)
            std::fputc('\n', terminal_);
        phase_ = int(phase);
        phaseStart_ = now;
        lastDraw_ = -1;
    }
    const bool finished = total > 0 && done >= total;
    if (!finished && lastDraw_ >= 0 && now - lastDraw_ < 100)
        return;
    lastDraw_ = now;
    constexpr int width = 30;
    const double part = total > 0 ? std::min(1.0, double(done) / double(total)) : 0.0;
    const int filled = int(part * width);
    const double seconds = double(now - phaseStart_) / 1000.0;
    // Numbers grouped as the language of the texts groups them.
    const QLocale language(tr("cs_CZ", "the locale whose digit grouping the numbers take"));
    // The names padded alike, so that the bars of the phases stand one below the other.
    QString line = QStringLiteral("\r%1 [%2%3] %4 %")
                       .arg(phaseName(phase).leftJustified(13))
                       .arg(QString(filled, '#'))
                       .arg(QString(width - filled, '.'))
                       .arg(int(part * 100), 3);
    if (seconds > 0.2) {
        line += tr("  %1 řádků/s").arg(language.toString(qint64(double(rows) / seconds)));
        if (part > 0.01 && !finished) {
            const qint64 left = qint64(seconds * (1.0 - part) / part);
            line += tr("  zbývá %1:%2").arg(left / 60).arg(left % 60, 2, 10, QChar('0'));
        }
    }
    line += QStringLiteral("\x1b[K"); // clears what a longer line left
    std::fputs(line.toUtf8().constData(), terminal_);
    std::fflush(terminal_);
    drawn_ = true;
}

void ImportProgress::end() {
    if (drawn_)
        std::fputc('\n', terminal_);
    drawn_ = false;
}
