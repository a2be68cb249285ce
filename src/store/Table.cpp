#include "store/Table.h"

#include "store/EngineError.h"
#include "store/NameSource.h"

#include <QSqlError>
#include <QSqlQuery>

Table::Table(NameSource& source, QString tableFile)
    : source_(source), tableFile_(std::move(tableFile)) {}

void Table::open() {
    schema_ = source_.attach(tableFile_);
}

QString Table::sqlName() const {
    QString quoted = tableFile_;
    quoted.replace('"', QStringLiteral("\"\""));
    return schema_ + QStringLiteral(".\"") + quoted + '"';
}

int Table::recordCount() const {
    if (!isOpen())
        throw EngineError(QStringLiteral("The table is not open"), source_.tablePath(tableFile_));
    QSqlQuery query(source_.database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM ") + sqlName()) || !query.next())
        throw EngineError(query.lastError().text(), source_.tablePath(tableFile_));
    return query.value(0).toInt();
}
