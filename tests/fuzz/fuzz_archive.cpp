// The archive's reader on any bytes: the part before the first NUL byte is read as meta.xml,
// the rest as the core file in the dialect meta.xml names (or in the usual one where meta.xml
// is refused). A bad meta.xml or core may only throw ImportError. What is read keeps the
// reader's promises: a dialect it can read, rows of UTF-8 fields without NUL bytes on rising
// lines, and synonyms that point to ids of their own, each once.
#include "fuzz/FuzzCheck.h"
#include "import/ArchiveDescriptor.h"
#include "import/DelimitedReader.h"
#include "import/ImportError.h"
#include "import/TaxonColumns.h"
#include "import/TaxonMapper.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

class MemorySource : public ByteSource {
public:
    explicit MemorySource(QByteArrayView bytes) : bytes_(bytes) {}
    qint64 read(char* data, qint64 size) override {
        const qint64 read = std::min(size, bytes_.size() - at_);
        std::memcpy(data, bytes_.data() + at_, size_t(read));
        at_ += read;
        return read;
    }
    qint64 size() const override { return bytes_.size(); }

private:
    QByteArrayView bytes_;
    qint64 at_ = 0;
};

std::optional<ArchiveDescriptor> descriptorOf(const QByteArray& xml) {
    try {
        const ArchiveDescriptor descriptor = ArchiveDescriptor::read(xml, "dwc/", "meta.xml");
        const TextDialect& dialect = descriptor.dialect;
        require(!descriptor.files.isEmpty(), "a core names its files");
        require(std::all_of(descriptor.files.begin(), descriptor.files.end(),
                            [](const QString& file) { return file.startsWith("dwc/"); }),
                "the core's files lie in the folder of meta.xml");
        require(dialect.lineEnd == '\n' || dialect.lineEnd == '\r', "lines end in LF or CR");
        require(dialect.separator > 0 && quint8(dialect.separator) < 0x80,
                "the separator is one ASCII character");
        require(quint8(dialect.quote) < 0x80, "the quote is ASCII or none");
        require(dialect.headerLines >= 0, "the header lines are not fewer than none");
        for (const ArchiveDescriptor::Field& field : descriptor.fields)
            require(!field.term.isEmpty() && field.index >= -1, "a field has a term and a place");
        return descriptor;
    } catch (const ImportError&) {
        return std::nullopt;
    }
}

void checkRow(const DelimitedReader& reader, const TextDialect& dialect) {
    require(reader.fieldCount() >= 1, "a row has a field");
    for (qsizetype index = 0; index < reader.fieldCount(); ++index) {
        const QByteArrayView field = reader.field(index);
        require(field.isValidUtf8(), "a field is UTF-8, without a lone surrogate");
        require(!field.contains('\0'), "a field holds no NUL byte");
        if (!dialect.quote)
            require(!field.contains(dialect.separator) && !field.contains(dialect.lineEnd),
                    "a field without quotes holds no separator and no line end");
    }
}

void checkMapped(const TaxonRow& row) {
    if (row.kind != TaxonRow::Kind::Synonym)
        return;
    require(!row.targets.isEmpty(), "a synonym points somewhere");
    for (qsizetype at = 0; at < row.targets.size(); ++at) {
        require(!row.targets[at].isEmpty() && row.targets[at] != row.id,
                "a synonym points to an id other than its own");
        require(!row.targets.mid(at + 1).contains(row.targets[at]), "each id stands once");
    }
}

void readCore(QByteArrayView core, const ArchiveDescriptor& descriptor, bool mapped) {
    try {
        std::optional<TaxonColumns> columns;
        if (mapped)
            columns = TaxonColumns::fromDescriptor(descriptor);
        DelimitedReader reader(std::make_unique<MemorySource>(core), descriptor.dialect,
                               "dwc/taxa.txt");
        qint64 line = 0;
        TaxonRow row;
        while (reader.next()) {
            require(reader.line() > line, "each row begins on a later line");
            line = reader.line();
            require(reader.bytesRead() <= core.size(), "no more is read than the file holds");
            checkRow(reader, descriptor.dialect);
            if (columns) {
                TaxonMapper(*columns).map(reader, row);
                checkMapped(row);
            }
        }
    } catch (const ImportError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray xml = (split < 0 ? input : input.first(split)).toByteArray();
    const QByteArrayView core = split < 0 ? input : input.sliced(split + 1);
    if (const std::optional<ArchiveDescriptor> descriptor = descriptorOf(xml)) {
        readCore(core, *descriptor, true);
    } else {
        ArchiveDescriptor usual;
        usual.dialect.separator = '\t';
        readCore(core, usual, false);
    }
    return 0;
}
