#pragma once

#include <QString>
#include <stdexcept>

// A failure reported by the database engine: the engine's own text and the table file it
// concerns. It ends the user's action; the program shows it and goes on.
class EngineError : public std::runtime_error {
public:
    EngineError(const QString& text, const QString& file);

    // The text shown to the user: for the usual failures what is wrong and what to do, in
    // Czech, then the engine's text, then the file on a line of its own.
    QString message() const { return QString::fromUtf8(what()); }
};
