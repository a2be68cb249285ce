#include "support/TestTables.h"

#include "import/TableImport.h"
#include "store/Connection.h"
#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TablePassword.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

QString TestTables::nameHeader() {
    return QStringLiteral("LEVEL_\tGENUS\tSPECIES\tSUBSP\tAUTOR0\tAUTOR1\tPAGE\tPN_REC");
}

QString TestTables::synonymHeader() {
    return QStringLiteral("syn\tpn_rec");
}

QByteArray TestTables::digestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(missing)";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

TestTables::TestTables() {
    if (!dir_.isValid())
        qFatal("cannot create a temporary folder");
}

void TestTables::writeText(const QString& file, const QString& text) const {
    QFile out(path(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(out.fileName()));
}

void TestTables::importRows(const QStringList& nameRows, const QStringList& synonymRows) const {
    writeText(QStringLiteral("names.tsv"),
              (QStringList{nameHeader()} + nameRows).join('\n') + '\n');
    writeText(QStringLiteral("syns.tsv"),
              (QStringList{synonymHeader()} + synonymRows).join('\n') + '\n');
    TableImport::importTables(path(QStringLiteral("names.tsv")), path(QStringLiteral("syns.tsv")),
                              folder());
}

void TestTables::writeTable(const QString& file, const QStringList& statements,
                            const QString& password) const {
    Connection db;
    if (!db.open(path(file)))
        qFatal("cannot open %s", qPrintable(path(file)));
    for (const QString& statement : statements) {
        if (!db.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(db.errorText()));
    }
    if (!password.isEmpty())
        TablePassword::protect(db, QStringLiteral("main"), password, path(file));
}

QStringList TestTables::rowsOf(const QString& folder, const QString& file,
                               const QStringList& columns, const QString& order) {
    NameSource source;
    source.setParam("PATH", folder + '/');
    source.connect();
    source.addPassword(TablePassword::programPassword);
    Query query(source);
    query.addSqlLine(
        QString("SELECT %1 FROM '%2' ORDER BY %3").arg(columns.join(", "), file, order));
    query.open();
    QStringList rows;
    for (query.first(); !query.eof(); query.next()) {
        QStringList fields;
        for (int field = 0; field < columns.size(); ++field)
            fields.append(query.field(field).asString());
        rows.append(fields.join('|'));
    }
    return rows;
}
