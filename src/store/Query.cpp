#include "store/Query.h"

#include "store/EngineError.h"
#include "store/NameSource.h"

#include <limits>

namespace {
bool fitsInt(std::optional<qint64> number) {
    return number && *number >= std::numeric_limits<int>::min() &&
           *number <= std::numeric_limits<int>::max();
}

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// The quoted name after the keyword at `at` when `sql` holds FROM or JOIN there as a word of
// its own, then blanks, then a name in single quotes; sets `at` past the name.
std::optional<QStringView> quotedNameAfterKeyword(QStringView sql, qsizetype& at) {
    const QStringView keyword = sql.mid(at, 4);
    if ((at > 0 && isWordCharacter(sql[at - 1])) ||
        (keyword.compare(u"FROM", Qt::CaseInsensitive) != 0 &&
         keyword.compare(u"JOIN", Qt::CaseInsensitive) != 0))
        return std::nullopt;
    qsizetype quote = at + 4;
    while (quote < sql.size() && sql[quote].isSpace())
        ++quote;
    if (quote == at + 4 || quote >= sql.size() || sql[quote] != u'\'')
        return std::nullopt;
    const qsizetype end = sql.indexOf(u'\'', quote + 1);
    if (end <= quote + 1)
        return std::nullopt;
    at = end;
    return sql.mid(quote + 1, end - quote - 1);
}
} // namespace

QStringList Query::tablesNamedIn(const QString& sql) {
    QStringList files;
    for (qsizetype at = 0; at + 4 <= sql.size(); ++at) {
        if (const std::optional<QStringView> name = quotedNameAfterKeyword(sql, at);
            name && !files.contains(*name))
            files.append(name->toString());
    }
    return files;
}

int Field::asInteger() const {
    const std::optional<qint64> number = rows_.integer(cell_);
    if (!fitsInt(number))
        query_.failNotInteger(position_, rows_.text(cell_));
    return int(*number);
}

int Query::otherIntegerOf(const Statement::Value& value, int position) const {
    const std::optional<qint64> number = Statement::wholeNumber(value);
    if (!fitsInt(number))
        failNotInteger(position, Statement::textOf(value));
    return int(*number);
}

void Query::failNotInteger(int position, const QString& text) const {
    fail(QStringLiteral("'%1' is not a valid integer value for field %2")
             .arg(text, fieldName(position)));
}

Query::Query(NameSource& source) : source_(source) {}

void Query::clearSql() {
    close();
    statement_.finalize();
    sql_.clear();
}

void Query::addSqlLine(const QString& line) {
    close();
    statement_.finalize();
    sql_.append(line);
}

int Query::positionOf(const QString& name) const {
    for (int column = 0; column < fieldNames_.size(); ++column) {
        // Names of another length are passed over without comparing letters.
        if (fieldNames_[column].size() == name.size() &&
            fieldNames_[column].compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    fail(QStringLiteral("Field '%1' not found").arg(name));
}

Query::Param& Query::param(const QString& name) {
    for (Param& param : params_) {
        if (param.name == name)
            return param;
    }
    Param& added = params_.emplace_back();
    added.name = name;
    if (isPrepared())
        added.index = statement_.parameterIndex(':' + name);
    return added;
}

void Query::defineParam(const QString& name, ParamType type) {
    param(name).type = type;
}

void Query::setParam(const QString& name, const QVariant& value) {
    Param& param = this->param(name);
    if (!param.type) {
        param.value = value;
    } else if (*param.type == ParamType::Text) {
        param.value = value.toString();
    } else {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("'%1' is not a valid integer value for parameter %2")
                     .arg(value.toString(), name));
        param.value = number;
    }
    // Converted once here, not at every run.
    param.text =
        Statement::bindsAsText(*param.value) ? param.value->toString().toUtf8() : QByteArray();
}

QString Query::tables() const {
    QStringList paths;
    for (const QString& file : tableFiles_)
        paths.append(source_.tablePath(file));
    return paths.join(QStringLiteral(", "));
}

void Query::fail(const QString& text) const {
    throw EngineError(text, tables());
}

void Query::prepare() {
    close();
    const QString text = sql_.join('\n');
    tableFiles_ = tablesNamedIn(text);
    for (const QString& file : std::as_const(tableFiles_))
        source_.attach(file);
    if (!statement_.prepare(source_.connection().handle(), text))
        fail(statement_.errorText());
    fieldNames_.clear();
    for (int column = 0; column < statement_.columnCount(); ++column)
        fieldNames_.append(statement_.columnName(column));
    for (Param& param : params_)
        param.index = statement_.parameterIndex(':' + param.name);
}

void Query::beginRun() {
    if (!isPrepared())
        prepare();
    close();
    statement_.reset();
    for (const Param& param : params_) {
        if (param.index <= 0 || !param.value)
            continue;
        if (Statement::bindsAsText(*param.value))
            statement_.bindText(param.index, param.text);
        else
            statement_.bind(param.index, *param.value);
    }
}

void Query::endRun(Statement::Step last) {
    if (last == Statement::Step::Error) {
        const QString error = statement_.errorText();
        statement_.reset();
        close();
        fail(error);
    }
    // Rewound at once, so that no read stays open on the table files.
    statement_.reset();
}

int Query::columnOf(const QString& name) {
    if (!isPrepared())
        prepare();
    return positionOf(name);
}

void Query::open() {
    if (!isPrepared())
        prepare();
    const int columns = int(fieldNames_.size());
    forEachRow([&](const Statement& row) { rows_.appendRow(row, columns); });
    open_ = true;
    row_ = 0;
    rowCount_ = columns == 0 ? 0 : int(rows_.cellCount() / size_t(columns));
}

void Query::close() {
    open_ = false;
    rows_.clear();
    row_ = 0;
    rowCount_ = 0;
}

int Query::recordCount() const {
    requireOpen();
    return rowCount_;
}

int Query::fieldIndex(const QString& name) const {
    requireOpen();
    return positionOf(name);
}

void Query::first() {
    requireOpen();
    row_ = 0;
}
