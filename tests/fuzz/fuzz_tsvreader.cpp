// The import's reader on any file, against both table layouts. A bad line may only throw
// ImportError; a line it accepts yields fields that are UTF-8 without tabs or line breaks,
// and numbers within the bounds asked for.
#include "fuzz/FuzzCheck.h"
#include "import/TsvReader.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

// One file in memory for every run, named through /proc so that the reader opens it by path.
int memoryFile() {
    static const int fd = memfd_create("fuzz_tsvreader", 0);
    require(fd >= 0, "a memory file can be made");
    return fd;
}

void checkNumber(const TsvReader& reader, int column, qint64 min, qint64 max) {
    try {
        const qint64 number = reader.integer(column, min, max);
        require(number >= min && number <= max, "a number lies within its bounds");
    } catch (const ImportError&) {
    }
}

void readAll(const QString& path, const TableSchema::Layout& layout) {
    try {
        TsvReader reader(path, layout);
        while (reader.next()) {
            for (int column = 0; column < layout.columns.size(); ++column) {
                const QByteArrayView field = reader.field(column);
                require(!field.contains('\t') && !field.contains('\n'),
                        "a field holds no tab and no line break");
                require(field.isValidUtf8(), "a field is UTF-8");
                if (layout.columns[column].type == TableSchema::Column::Type::Integer) {
                    checkNumber(reader, column, 0, 2);
                    checkNumber(reader, column, std::numeric_limits<qint32>::min(),
                                std::numeric_limits<qint32>::max());
                }
            }
        }
    } catch (const ImportError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = memoryFile();
    require(ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == ssize_t(size),
            "the input can be written to the memory file");
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    readAll(path, TableSchema::names());
    readAll(path, TableSchema::synonyms());
    return 0;
}
