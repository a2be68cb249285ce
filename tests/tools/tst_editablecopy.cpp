#include "platform/MessageBox.h"
#include "support/AsNobody.h"
#include "support/TestTables.h"
#include "tools/EditableCopy.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

// Tables the user may not write are edited in the user's copy, after one question a run.
class TestEditableCopy : public QObject {
    Q_OBJECT

private slots:
    void copyIsOfferedOnceForTablesTheUserMayNotWrite_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::newRow("writable tables") << false << false << false << false;
        QTest::newRow("read-only tables of the user's folder") << true << true << false << false;
        QTest::newRow("read-only tables, no") << true << false << false << true;
        QTest::newRow("read-only tables, yes") << true << false << true << true;
    }

    void copyIsOfferedOnceForTablesTheUserMayNotWrite() {
        QFETCH(bool, readOnly);
        QFETCH(bool, own);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        NARDEL_RUN_AS_NOBODY_WHEN_ROOT();
        TestTables tables;
        tables.importRows({"0\tAbies\t\t\t\t\t10\t1"}, {"Pinus abies\t1"});
        const QString shared = tables.folder();
        const QTemporaryDir dataHome;
        const QString userFolder = own ? shared : dataHome.filePath("nardel");
        const QFile::Permissions permissions = QFile::permissions(shared);
        if (readOnly)
            QVERIFY(QFile::setPermissions(shared,
                                          permissions & ~(QFile::WriteOwner | QFile::WriteUser)));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(shared, permissions); });
        QStringList questions;
        MessageBox::setSink([&](MessageBox::Kind kind, const QString&, const QString& text) {
            QCOMPARE(kind, MessageBox::Kind::Question);
            questions.append(text);
        });
        const auto noSink = qScopeGuard([] { MessageBox::setSink({}); });
        if (asked)
            MessageBox::setNextAnswer(answer);

        EditableCopy copy(userFolder);
        const std::optional<QString> first = copy.offer(nullptr, shared);
        // Once answered, the question is not asked again in this run.
        const std::optional<QString> second = copy.offer(nullptr, first.value_or(shared));

        QCOMPARE(questions.size(), asked ? 1 : 0);
        if (asked)
            QVERIFY2(questions[0].contains(userFolder), qPrintable(questions[0]));
        const bool copied = asked && answer;
        QCOMPARE(first, copied ? std::optional(userFolder) : std::nullopt);
        QCOMPARE(second, std::nullopt);
        for (const QString file : {"plantnames.db", "syns.db"}) {
            QCOMPARE(TestTables::digestOf(QDir(userFolder).filePath(file)),
                     copied || own ? TestTables::digestOf(tables.path(file))
                                   : QByteArray("(missing)"));
        }
    }
};

QTEST_MAIN(TestEditableCopy)
#include "tst_editablecopy.moc"
