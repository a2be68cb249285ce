#include "store/TableAbout.h"

#include "store/Connection.h"
#include "store/EngineError.h"
#include "store/Statement.h"

namespace TableAbout {
namespace {
const QString aboutTable = QStringLiteral("nardel_about");
} // namespace

void write(Connection& db, const QString& schema, const Facts& facts, const QString& file) {
    const QString table = schema + '.' + aboutTable;
    Statement insert;
    if (!db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 "
                                "(name TEXT PRIMARY KEY, value TEXT NOT NULL)")
                     .arg(table)) ||
        !insert.prepare(db.handle(),
                        QStringLiteral("INSERT OR REPLACE INTO %1 VALUES (?1, ?2)").arg(table)))
        throw EngineError(db.errorText(), file);
    for (const auto& [name, value] : facts) {
        insert.bindText(1, name.toUtf8());
        insert.bindText(2, value.toUtf8());
        if (insert.step() != Statement::Step::Done)
            throw EngineError(insert.errorText(), file);
        insert.reset();
    }
}

QHash<QString, QString> read(Connection& db, const QString& schema, const QString& file) {
    const std::optional<bool> kept = db.hasTable(schema, aboutTable);
    if (!kept)
        throw EngineError(db.errorText(), file);
    QHash<QString, QString> facts;
    if (!*kept)
        return facts;
    Statement query;
    if (!query.prepare(db.handle(),
                       QStringLiteral("SELECT name, value FROM %1.%2").arg(schema, aboutTable)))
        throw EngineError(query.errorText(), file);
    Statement::Step step;
    while ((step = query.step()) == Statement::Step::Row)
        facts.insert(QString::fromUtf8(query.columnBytes(0)),
                     QString::fromUtf8(query.columnBytes(1)));
    if (step == Statement::Step::Error)
        throw EngineError(query.errorText(), file);
    return facts;
}

} // namespace TableAbout
