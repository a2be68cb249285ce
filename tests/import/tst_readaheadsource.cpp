#include "import/ImportError.h"
#include "import/ReadAheadSource.h"

#include <QByteArray>
#include <QTest>
#include <algorithm>
#include <cstring>

namespace {

// The bytes given, at most `chunk` a read; throws after `failAt` bytes when that is set.
class PieceSource : public ByteSource {
public:
    PieceSource(QByteArray bytes, qint64 chunk, qint64 failAt = -1)
        : bytes_(std::move(bytes)), chunk_(chunk), failAt_(failAt) {}
    qint64 read(char* data, qint64 size) override {
        if (failAt_ >= 0 && at_ >= failAt_)
            throw ImportError("broken entry");
        qint64 count = std::min({size, chunk_, qint64(bytes_.size()) - at_});
        if (failAt_ >= 0)
            count = std::min(count, failAt_ - at_);
        std::memcpy(data, bytes_.constData() + at_, size_t(count));
        at_ += count;
        return count;
    }
    qint64 size() const override { return bytes_.size(); }

private:
    QByteArray bytes_;
    qint64 chunk_;
    qint64 failAt_;
    qint64 at_ = 0;
};

QByteArray sample(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype at = 0; at < size; ++at)
        bytes[at] = char(at * 7 % 251);
    return bytes;
}

// Reads `wanted` bytes a piece at a time, or up to the end.
QByteArray readUpTo(ByteSource& source, qint64 piece, qint64 wanted) {
    QByteArray read;
    QByteArray buffer(piece, Qt::Uninitialized);
    while (read.size() < wanted) {
        const qint64 count = source.read(buffer.data(), piece);
        if (count == 0)
            break;
        read.append(buffer.constData(), count);
    }
    return read;
}

} // namespace

class ReadAheadSourceTest : public QObject {
    Q_OBJECT
private slots:
    void givesTheBytesInOrder_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("piece");
        QTest::addColumn<int>("stopAfter"); // -1: to the end
        QTest::newRow("empty") << 0 << 64 << 16 << 8 << -1;
        QTest::newRow("one byte") << 1 << 64 << 16 << 8 << -1;
        QTest::newRow("one block exactly") << 16 << 64 << 16 << 16 << -1;
        QTest::newRow("pieces across blocks") << 1000 << 64 << 16 << 5 << -1;
        QTest::newRow("source gives little") << 1000 << 3 << 16 << 100 << -1;
        QTest::newRow("many blocks, large reads") << 100000 << 4096 << 512 << 70000 << -1;
        QTest::newRow("left before the end") << 100000 << 64 << 16 << 10 << 50;
    }
    void givesTheBytesInOrder() {
        QFETCH(int, size);
        QFETCH(int, chunk);
        QFETCH(int, block);
        QFETCH(int, piece);
        QFETCH(int, stopAfter);
        const QByteArray bytes = sample(size);
        ReadAheadSource source(std::make_unique<PieceSource>(bytes, chunk), block);
        QCOMPARE(source.size(), qint64(size));
        const qint64 wanted = stopAfter < 0 ? size + 1 : stopAfter;
        const QByteArray read = readUpTo(source, piece, wanted);
        QCOMPARE(read, bytes.first(std::min<qint64>(size, read.size())));
        if (stopAfter < 0) {
            QCOMPARE(read.size(), size);
            char byte;
            QCOMPARE(source.read(&byte, 1), 0);
        } else {
            QVERIFY(read.size() >= stopAfter);
        }
    }

    void throwsWhereTheSourceFails_data() {
        QTest::addColumn<int>("failAt");
        QTest::newRow("at once") << 0;
        QTest::newRow("in the first block") << 10;
        QTest::newRow("blocks later") << 300;
    }
    void throwsWhereTheSourceFails() {
        QFETCH(int, failAt);
        const QByteArray bytes = sample(1000);
        ReadAheadSource source(std::make_unique<PieceSource>(bytes, 7, failAt), 16);
        QByteArray read;
        char buffer[5];
        try {
            for (qint64 count; (count = source.read(buffer, sizeof buffer)) > 0;)
                read.append(buffer, count);
            QFAIL("the error was not thrown");
        } catch (const ImportError& error) {
            QCOMPARE(QByteArray(error.what()), QByteArray("broken entry"));
        }
        QCOMPARE(read, bytes.first(failAt));
    }
};

QTEST_GUILESS_MAIN(ReadAheadSourceTest)
#include "tst_readaheadsource.moc"
