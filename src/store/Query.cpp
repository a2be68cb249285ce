#include "Query.h"

#include "EngineError.h"
#include "NameSource.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <limits>

Field::Field(QVariant value, QString name, const Query& query)
    : value_(std::move(value)), name_(std::move(name)), query_(query) {}

QString Field::asString() const { return value_.toString(); }

int Field::asInteger() const {
    if (value_.isNull())
        return 0;
    bool ok = false;
    const qlonglong number = value_.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw EngineError(QStringLiteral("'%1' is not a valid integer value for field %2")
                              .arg(value_.toString(), name_),
                          query_.tables());
    return int(number);
}

Query::Query(NameSource& source) : source_(source) {}

void Query::clearSql() {
    close();
    sql_.clear();
    prepared_ = false;
}

void Query::addSqlLine(const QString& line) {
    close();
    sql_.append(line);
    prepared_ = false;
}

void Query::defineParam(const QString& name, ParamType type) { paramTypes_.insert(name, type); }

void Query::setParam(const QString& name, const QVariant& value) {
    const auto type = paramTypes_.constFind(name);
    if (type == paramTypes_.constEnd()) {
        params_.insert(name, value);
    } else if (*type == ParamType::Text) {
        params_.insert(name, value.toString());
    } else {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("'%1' is not a valid integer value for parameter %2")
                     .arg(value.toString(), name));
        params_.insert(name, number);
    }
}

QString Query::tables() const {
    QStringList paths;
    for (const QString& file : tableFiles_)
        paths.append(source_.tablePath(file));
    return paths.join(QStringLiteral(", "));
}

void Query::fail(const QString& text) const { throw EngineError(text, tables()); }

void Query::prepare() {
    close();
    static const QRegularExpression namedTable(QStringLiteral(R"(\b(?:FROM|JOIN)\s+'([^']+)')"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QString text = sql_.join('\n');
    tableFiles_.clear();
    for (const auto& match : namedTable.globalMatch(text)) {
        if (!tableFiles_.contains(match.captured(1)))
            tableFiles_.append(match.captured(1));
    }
    for (const QString& file : std::as_const(tableFiles_))
        source_.attach(file);
    statement_ = QSqlQuery(source_.database());
    statement_.setForwardOnly(true);
    if (!statement_.prepare(text))
        fail(statement_.lastError().text());
    prepared_ = true;
}

void Query::open() {
    if (!prepared_)
        prepare();
    close();
    for (auto param = params_.constBegin(); param != params_.constEnd(); ++param)
        statement_.bindValue(':' + param.key(), param.value());
    if (!statement_.exec())
        fail(statement_.lastError().text());
    const QSqlRecord record = statement_.record();
    const int columns = record.count();
    fieldNames_.clear();
    for (int column = 0; column < columns; ++column)
        fieldNames_.append(record.fieldName(column));
    while (statement_.next()) {
        for (int column = 0; column < columns; ++column)
            values_.push_back(statement_.value(column));
    }
    const QSqlError error = statement_.lastError();
    statement_.finish();
    if (error.isValid()) {
        values_.clear();
        fail(error.text());
    }
    open_ = true;
    row_ = 0;
}

void Query::close() {
    open_ = false;
    values_.clear();
    fieldNames_.clear();
    row_ = 0;
}

void Query::requireOpen() const {
    if (!open_)
        fail(QStringLiteral("The query is not open"));
}

int Query::recordCount() const {
    requireOpen();
    return fieldNames_.isEmpty() ? 0 : int(values_.size() / fieldNames_.size());
}

int Query::fieldCount() const {
    requireOpen();
    return int(fieldNames_.size());
}

int Query::fieldIndex(const QString& name) const {
    requireOpen();
    for (int column = 0; column < fieldNames_.size(); ++column) {
        if (fieldNames_[column].compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    fail(QStringLiteral("Field '%1' not found").arg(name));
}

Field Query::field(const QString& name) const { return field(fieldIndex(name)); }

Field Query::field(int position) const {
    requireOpen();
    if (eof())
        fail(QStringLiteral("At end of table"));
    if (position < 0 || position >= fieldNames_.size())
        fail(QStringLiteral("Field index %1 out of range").arg(position));
    return Field(values_[size_t(row_) * fieldNames_.size() + position], fieldNames_[position],
                 *this);
}

void Query::first() {
    requireOpen();
    row_ = 0;
}

void Query::next() {
    requireOpen();
    if (!eof())
        ++row_;
}

bool Query::eof() const { return !open_ || row_ >= recordCount(); }
