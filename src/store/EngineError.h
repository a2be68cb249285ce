#pragma once

#include <QString>
#include <stdexcept>

// A failure reported by the database engine, or by the system while the store writes a table
// folder: the engine's or the system's own text and the table file it concerns. It ends the
// user's action; the program shows it and goes on.
class EngineError : public std::runtime_error {
public:
    // The store's own failures, each told with what is wrong and what to do.
    enum class Cause {
        Unreadable,
        Missing,
        NotAFile,
        NoTable,
        Password,
        ImportRunning,
        LockNotAFile
    };

    // The engine's text, or a text of the program's that says all there is to say.
    EngineError(const QString& text, const QString& file);
    // One of the store's own failures; `detail` says more where there is more to say.
    EngineError(Cause cause, const QString& detail, const QString& file);

    // A system call that failed with `error` (an errno value) while the store wrote in
    // `folder`: what was being done, the system's text, and first, for the usual causes (a full
    // disk, a folder the user may not write), what is wrong.
    static EngineError ofSystem(const QString& doing, int error, const QString& folder,
                                const QString& file);

    // The text shown to the user: for the usual failures what is wrong and what to do, then
    // the engine's text, then the file on a line of its own.
    QString message() const { return QString::fromUtf8(what()); }

private:
    struct Composed {
        QString text;
    };
    explicit EngineError(Composed composed);
};
