#include "import/TaxonColumns.h"

#include "import/DelimitedReader.h"

namespace {

// The term names the import reads, and what other names archives give them.
struct Name {
    const char* name;
    TaxonColumns::Term term;
};
constexpr Name names[] = {
    {"taxonid", TaxonColumns::TaxonId},
    {"acceptednameusageid", TaxonColumns::AcceptedId},
    {"acceptedtaxonid", TaxonColumns::AcceptedId},
    {"scientificname", TaxonColumns::ScientificName},
    {"scientificnameauthorship", TaxonColumns::Authorship},
    {"genus", TaxonColumns::Genus},
    {"genericname", TaxonColumns::GenericName},
    {"specificepithet", TaxonColumns::SpecificEpithet},
    {"infraspecificepithet", TaxonColumns::InfraspecificEpithet},
    {"taxonrank", TaxonColumns::Rank},
    {"taxonomicstatus", TaxonColumns::Status},
    {"kingdom", TaxonColumns::Kingdom},
};

QStringView lastPart(QStringView term) {
    const qsizetype at =
        std::max({term.lastIndexOf('/'), term.lastIndexOf('#'), term.lastIndexOf(':')});
    return term.sliced(at + 1);
}

} // namespace

void TaxonColumns::map(QStringView name, int column, const QString& defaultValue) {
    if (column >= 0)
        named_.append({column, name.toString()});
    const QStringView last = lastPart(name);
    for (const Name& known : names) {
        if (last.compare(QLatin1String(known.name), Qt::CaseInsensitive) != 0)
            continue;
        // The first mapping of a term counts.
        if (column_[known.term] < 0 && default_[known.term].isEmpty()) {
            column_[known.term] = column;
            default_[known.term] = defaultValue.toUtf8();
        }
        return;
    }
}

TaxonColumns TaxonColumns::fromDescriptor(const ArchiveDescriptor& descriptor) {
    TaxonColumns columns;
    columns.column_.fill(-1);
    for (const ArchiveDescriptor::Field& field : descriptor.fields) {
        columns.map(field.term, field.index, field.defaultValue);
        if (lastPart(field.term)
                    .compare(QLatin1String("acceptedNameUsageID"), Qt::CaseInsensitive) == 0 &&
            field.delimiter.size() == 1)
            columns.idSeparator_ = char(field.delimiter[0].toLatin1());
    }
    // The core's own id stands for taxonID where no column has that term.
    if (columns.column_[TaxonId] < 0 && descriptor.idIndex >= 0) {
        columns.column_[TaxonId] = descriptor.idIndex;
        columns.named_.append({descriptor.idIndex, QStringLiteral("id")});
    }
    return columns;
}

TaxonColumns TaxonColumns::fromHeader(const DelimitedReader& header) {
    TaxonColumns columns;
    columns.column_.fill(-1);
    for (int column = 0; column < header.fieldCount(); ++column)
        columns.map(QString::fromUtf8(header.field(column)).trimmed(), column, QString());
    return columns;
}

QByteArrayView TaxonColumns::value(const DelimitedReader& row, Term term) const {
    const int column = column_[term];
    const QByteArrayView field = column >= 0 ? row.field(column) : QByteArrayView();
    return field.isEmpty() ? QByteArrayView(default_[term]) : field;
}

int TaxonColumns::highestColumn() const {
    int highest = -1;
    for (const auto& [column, name] : named_)
        highest = std::max(highest, column);
    return highest;
}

QString TaxonColumns::termAt(int column) const {
    for (const auto& [at, name] : named_) {
        if (at == column)
            return name;
    }
    return {};
}
