#pragma once

#include "import/ArchiveDescriptor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <array>

class DelimitedReader;

// Where the terms that the import reads stand in a row of the core: a column, a value that
// every row takes (a default of meta.xml), or neither. Terms are known by their last part,
// without regard to letter case ("…/dwc/terms/infraSpecificEpithet", "dwc:taxonID").
class TaxonColumns {
public:
    enum Term {
        TaxonId,
        AcceptedId,
        ScientificName,
        Authorship,
        Genus,
        GenericName,
        SpecificEpithet,
        InfraspecificEpithet,
        Rank,
        Status,
        Kingdom,
        TermCount
    };

    static TaxonColumns fromDescriptor(const ArchiveDescriptor& descriptor);
    // From the first line of a file without meta.xml, which names the terms.
    static TaxonColumns fromHeader(const DelimitedReader& header);

    bool hasColumn(Term term) const { return column_[term] >= 0; }
    // The term's value in the row: its field, or the default where the field is empty.
    QByteArrayView value(const DelimitedReader& row, Term term) const;
    // What separates several accepted ids in one field.
    char idSeparator() const { return idSeparator_; }
    // The highest column read, with the term that names it; -1 when none.
    int highestColumn() const;
    QString termAt(int column) const;

private:
    void map(QStringView name, int column, const QString& defaultValue);

    std::array<int, TermCount> column_;
    std::array<QByteArray, TermCount> default_;
    QList<std::pair<int, QString>> named_; // every mapped column and its term, for messages
    char idSeparator_ = '|';
};
