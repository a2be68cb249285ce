#include "store/EngineError.h"

namespace {
QString compose(const QString& text, const QString& file) {
    return file.isEmpty() ? text : text + QStringLiteral("\nTable: ") + file;
}
} // namespace

EngineError::EngineError(const QString& text, const QString& file)
    : std::runtime_error(compose(text, file).toStdString()) {}
