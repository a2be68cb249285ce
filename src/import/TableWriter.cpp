#include "import/TableWriter.h"

#include "store/EngineError.h"
#include "store/FolderFile.h"
#include "store/TablePassword.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace {
// The table file's name on the writer's connection.
const QString schema = QStringLiteral("t");
} // namespace

TableWriter::TableWriter(const QString& folder, const TableSchema::Layout& layout,
                         const QString& password)
    : layout_(layout), password_(password), finalPath_(QDir(folder).filePath(layout.tableFile)) {
    QTemporaryFile reserve(finalPath_ + QStringLiteral(".XXXXXX.tmp"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw EngineError(reserve.errorString(), finalPath_);
    tempPath_ = reserve.fileName();
    reserve.close();

    // The file is attached to an empty database in memory. SQLite sorts the rows of a new
    // index in runs as large as the main database's page cache, so with that cache small the
    // sort streams through temporary files instead of holding every key in memory; a mebibyte
    // is its smallest run at the table's page size.
    if (!db_.open(QStringLiteral(":memory:")))
        fail(db_.errorText());
    exec(QStringLiteral("PRAGMA main.cache_size=-1024"));
    Statement attach;
    if (!attach.prepare(db_.handle(), QStringLiteral("ATTACH DATABASE ?1 AS %1").arg(schema)))
        fail(attach.errorText());
    attach.bindText(1, tempPath_.toUtf8());
    if (attach.step() != Statement::Step::Done)
        fail(attach.errorText());
    // The file is private until it is renamed, so it needs no journal; finish() flushes it.
    exec(QStringLiteral("PRAGMA %1.journal_mode=OFF").arg(schema));
    exec(QStringLiteral("PRAGMA %1.synchronous=OFF").arg(schema));
    // The rows come mostly in the order of their key and the index entries sorted: both are
    // written at the end of the file a few pages at a time, which a small cache serves.
    exec(QStringLiteral("PRAGMA %1.cache_size=-256").arg(schema));
    exec(TableSchema::createTable(layout_, schema));
    exec(QStringLiteral("BEGIN"));
    QStringList marks;
    for (qsizetype column = 0; column < layout_.columns.size(); ++column)
        marks.append(QStringLiteral("?"));
    if (!insert_.prepare(db_.handle(), QStringLiteral("INSERT INTO %1.\"%2\" VALUES (%3)")
                                           .arg(schema, layout_.tableFile, marks.join(','))))
        fail(insert_.errorText());
}

TableWriter::~TableWriter() {
    closeConnection();
    if (!tempPath_.isEmpty())
        QFile::remove(tempPath_);
}

void TableWriter::closeConnection() {
    insert_.finalize();
    lookUp_.finalize();
    db_.close();
}

void TableWriter::fail(const QString& text) const {
    throw EngineError(text, tempPath_);
}

void TableWriter::exec(const QString& sql) {
    if (!db_.exec(sql))
        fail(db_.errorText());
}

bool TableWriter::insertRow() {
    const Statement::Step step = insert_.step();
    const bool keyTaken = step == Statement::Step::Error && insert_.failedOnConstraint();
    if (step != Statement::Step::Done && !keyTaken)
        fail(insert_.errorText());
    insert_.reset();
    return !keyTaken;
}

void TableWriter::buildIndexes() {
    insert_.finalize();
    for (const QString& statement : TableSchema::createIndexes(layout_, schema))
        exec(statement);
}

bool TableWriter::contains(const QString& condition, std::initializer_list<QByteArrayView> texts) {
    if (condition != lookUpCondition_) {
        if (!lookUp_.prepare(db_.handle(),
                             QStringLiteral("SELECT 1 FROM %1.\"%2\" WHERE %3 LIMIT 1")
                                 .arg(schema, layout_.tableFile, condition)))
            fail(lookUp_.errorText());
        lookUpCondition_ = condition;
    }
    int index = 0;
    for (const QByteArrayView text : texts)
        lookUp_.bindTextInPlace(++index, text);
    const Statement::Step step = lookUp_.step();
    const QString error = step == Statement::Step::Error ? lookUp_.errorText() : QString();
    lookUp_.reset();
    if (step == Statement::Step::Error)
        fail(error);
    return step == Statement::Step::Row;
}

void TableWriter::finish() {
    insert_.finalize();
    lookUp_.finalize();
    TableAbout::write(db_, schema, about_, tempPath_);
    TablePassword::protect(db_, schema, password_, tempPath_);
    exec(QStringLiteral("COMMIT"));
    closeConnection();
    // The temporary file was created private to its owner; a table is readable by all.
    finishFileAt(tempPath_, tableFileMode);
}
