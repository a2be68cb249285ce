#include "import/PairWriter.h"

PairWriter::PairWriter(const QString& folder, const QString& password)
    : pair_(folder), folder_(folder), password_(password) {}

TableWriter& PairWriter::names() {
    return writer(names_, TableSchema::names());
}

TableWriter& PairWriter::synonyms() {
    return writer(synonyms_, TableSchema::synonyms());
}

TableWriter& PairWriter::writer(std::unique_ptr<TableWriter>& writer,
                                const TableSchema::Layout& layout) {
    if (!writer) {
        writer = std::make_unique<TableWriter>(folder_, layout, password_);
        writer->setAbout(TableAbout::importStamp, pair_.stamp());
    }
    return *writer;
}

void PairWriter::replace() {
    Q_ASSERT(names_ && synonyms_);
    pair_.replace(names_->tempPath(), synonyms_->tempPath(), [this] {
        names_->release();
        synonyms_->release();
    });
}
