#include "support/AsNobody.h"
#include "support/ToolsTestBed.h"
#include "tools/DictionaryExport.h"
#include "tools/DictionaryFile.h"
#include "tools/DictionaryWords.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const DictionaryFields fields{"GENUS", "SPECIES", "SUBSP"};
const QString officeMessage = QStringLiteral("Uživatelský slovník byl generován.\r\nPro použití "
                                             "jej musíte v MS Word připojit na adrese\r\n");

// Name-table rows of the genus "G" and of species with the given epithets.
QStringList speciesRows(const QStringList& epithets) {
    QStringList rows{QStringLiteral("0\tG\t\t\t\t\t0\t1")};
    for (qsizetype i = 0; i < epithets.size(); ++i)
        rows.append(QStringLiteral("1\tG\t%1\t\tL.\t\t0\t%2").arg(epithets[i]).arg(i + 2));
    return rows;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Caps the size of the files this process writes, as a full disk would, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        // Beyond the limit a write fails with an error instead of ending the process.
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int);
};

// Answers the next file dialog as its user would.
void answerDialog(const std::function<void(QFileDialog*)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace

class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void wordList_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("splitAtHyphen");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("words");
        const QString cs = QStringLiteral("cs_CZ");
        QTest::newRow("one hyphen gives two words")
            << cs << true << QStringList{"montium-klinghardtii"}
            << QStringList{"klinghardtii", "montium"};
        QTest::newRow("only the first hyphen splits")
            << cs << true << QStringList{"uva-ursi-alpina"} << QStringList{"ursi-alpina", "uva"};
        QTest::newRow("a leading hyphen stays")
            << cs << true << QStringList{"-abc"} << QStringList{"-abc"};
        QTest::newRow("a trailing hyphen leaves no empty word")
            << cs << true << QStringList{"abc-"} << QStringList{"abc"};
        QTest::newRow("without splitting a hyphen stays")
            << cs << false << QStringList{"uva-ursi"} << QStringList{"uva-ursi"};
        QTest::newRow("the first of two case variants stays")
            << cs << true << QStringList{"Abies", "alba", "abies"} << QStringList{"Abies", "alba"};
        QTest::newRow("order ignores letter case")
            << cs << true << QStringList{"Bellis", "aster"} << QStringList{"aster", "Bellis"};
        QTest::newRow("accents tell words apart")
            << cs << true << QStringList{"čáp", "cap"} << QStringList{"cap", "čáp"};
        QTest::newRow("Czech sorts ch after h")
            << cs << true << QStringList{"chrpa", "hrách", "ibišek"}
            << QStringList{"hrách", "chrpa", "ibišek"};
        QTest::newRow("English sorts ch before h")
            << QStringLiteral("en_GB") << true << QStringList{"hrách", "chrpa"}
            << QStringList{"chrpa", "hrách"};
        // The locale of LANG=C.UTF-8, which many machines default to.
        QTest::newRow("the C locale, too, ignores letter case")
            << QStringLiteral("C") << true << QStringList{"Bellis", "aster", "Abies", "abies"}
            << QStringList{"Abies", "aster", "Bellis"};
    }

    void wordList() {
        QFETCH(QString, locale);
        QFETCH(bool, splitAtHyphen);
        QFETCH(QStringList, values);
        QFETCH(QStringList, words);
        WordList list{QLocale(locale)};
        for (const QString& value : values)
            addValueWords(list, value, splitAtHyphen);
        QCOMPARE(list.words(), words);
    }

    void fileBytesOfEachFormat_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("MS Office") << QString() << int(DictionaryFormat::MsOffice)
                                   << QByteArray("\xD7"
                                                 "borisii\r\nAbies\r\n\xE8"
                                                 "echovii\r\nHieracium\r\nregis\r\nsubsp. "
                                                 "alba\r\n");
        QTest::newRow("MS Office without words")
            << R"(UPDATE "plantnames.db" SET GENUS = '', SPECIES = '', SUBSP = '')"
            << int(DictionaryFormat::MsOffice) << QByteArray();
        QTest::newRow("LibreOffice")
            << QString() << int(DictionaryFormat::LibreOffice)
            << QStringLiteral("OOoUserDict1\nlang: <none>\ntype: positive\n---\n×borisii-regis\n"
                              "Abies\nčechovii\nHieracium\nsubsp. alba\n")
                   .toUtf8();
    }

    void fileBytesOfEachFormat() {
        QFETCH(QString, change);
        QFETCH(int, format);
        QFETCH(QByteArray, bytes);
        ToolsTestBed bed({"0\tAbies\t\t\t\t\t1\t1", "1\tAbies\t×borisii-regis\t\tMattf.\t\t2\t2",
                          "0\tHieracium\t\t\t\t\t3\t3", "1\tHieracium\tčechovii\t\tx\t\t4\t4",
                          "2\tHieracium\tčechovii\tsubsp. alba\t\ty\t5\t5"});
        if (!change.isEmpty())
            bed.tables.writeTable("plantnames.db", {change}, QString());
        const QString path = bed.tables.path("slovnik.dic");
        writeBytes(path, "an older and longer file");
        writeDictionary(bed.source, "plantnames.db", fields, path, DictionaryFormat(format),
                        QLocale("cs_CZ"));
        QCOMPARE(fileBytes(path), bytes);
    }

    void libreOfficeGetsOneFileForEachWordLimit() {
        QStringList words;
        for (int i = 0; i <= libreOfficeWordLimit; ++i)
            words.append(QStringLiteral("w%1").arg(i));
        const QList<QByteArray> files = libreOfficeDictionaries(words);
        QCOMPARE(files.size(), 2);
        QCOMPARE(files[0].count('\n'), 4 + libreOfficeWordLimit);
        QCOMPARE(files[1], "OOoUserDict1\nlang: <none>\ntype: positive\n---\nw30000\n");
        QCOMPARE(partFileName("/home/b/slovnik.dic", 2), QString("/home/b/slovnik-2.dic"));
    }

    void failedExportLeavesTheFileAsItWas_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("message");
        QTest::newRow("words outside code page 1250")
            << QStringList{"alba", "ʻohiʻa", "kāne", "zelená"} << "slovnik.dic" << false
            << "Slovník nebyl zapsán: kódování Windows-1250 nemá všechny znaky těchto slov "
               "(2):\r\nʻohiʻa\r\nkāne";
        QTest::newRow("disk full")
            << QStringList{"alba", "zelená"} << "slovnik.dic" << true << "Soubor nelze zapsat: %1";
        QTest::newRow("missing folder")
            << QStringList{"alba"} << "chybí/slovnik.dic" << false << "Soubor nelze zapsat: %1";
    }

    void failedExportLeavesTheFileAsItWas() {
        QFETCH(QStringList, values);
        QFETCH(QString, file);
        QFETCH(bool, diskFull);
        QFETCH(QString, message);
        ToolsTestBed bed(speciesRows(values));
        const QString path = bed.tables.path(file);
        const bool existed = QFile::exists(QFileInfo(path).path());
        if (existed)
            writeBytes(path, "old");
        QString error;
        try {
            std::optional<FileSizeLimit> limit;
            if (diskFull)
                limit.emplace(4);
            writeDictionary(bed.source, "plantnames.db", fields, path, DictionaryFormat::MsOffice,
                            QLocale("cs_CZ"));
        } catch (const ExportError& failure) {
            error = QString::fromUtf8(failure.what());
        }
        QVERIFY2(error.startsWith(message.contains("%1") ? message.arg(path) : message),
                 qPrintable(error));
        QCOMPARE(fileBytes(path), existed ? QByteArray("old") : QByteArray("(missing)"));
        QCOMPARE(QDir(bed.tables.folder()).entryList({"*.dic*"}, QDir::Files),
                 existed ? QStringList{"slovnik.dic"} : QStringList());
    }

    // The dictionary replaces a regular file by a new one beside it, never writing into the
    // old one; a link, or a FIFO or a device the user picked, it leaves as it is.
    void onlyARegularFileIsReplaced_data() {
        QTest::addColumn<QString>("standing");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("regular file") << "file" << QString();
        QTest::newRow("FIFO") << "fifo"
                              << "pojmenovaná roura (FIFO)";
        QTest::newRow("link to a device") << "/dev/null"
                                          << "symbolický odkaz";
        QTest::newRow("link to a file elsewhere") << "elsewhere"
                                                  << "symbolický odkaz";
    }

    void onlyARegularFileIsReplaced() {
        // Root could replace /dev/null itself through the link.
        NARDEL_RUN_AS_NOBODY_WHEN_ROOT();
        QFETCH(QString, standing);
        QFETCH(QString, refusal);
        ToolsTestBed bed(speciesRows({"alba"}));
        const QTemporaryDir elsewhere;
        const QString path = bed.tables.path("slovnik.dic");
        const QString kept = elsewhere.filePath("slovnik.dic");
        int fifoReader = -1;
        if (standing == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            // An export that opened the FIFO to write would wait for a reader forever.
            fifoReader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(fifoReader >= 0);
        } else if (standing == "file") {
            writeBytes(path, "old");
            // A second name of the old file shows whether the export wrote into it.
            QCOMPARE(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(kept).constData()),
                0);
        } else {
            writeBytes(kept, "old");
            QVERIFY(QFile::link(standing == "elsewhere" ? kept : standing, path));
        }
        const auto closeReader = qScopeGuard([fifoReader] {
            if (fifoReader >= 0)
                ::close(fifoReader);
        });

        QString error;
        try {
            writeDictionary(bed.source, "plantnames.db", fields, path, DictionaryFormat::MsOffice,
                            QLocale("cs_CZ"));
        } catch (const ExportError& failure) {
            error = QString::fromUtf8(failure.what());
        }
        if (refusal.isEmpty()) {
            QCOMPARE(error, QString());
            QCOMPARE(fileBytes(path), "alba\r\nG\r\n");
        } else {
            QCOMPARE(error, QStringLiteral("Soubor nelze zapsat: %1\r\nNa jeho místě je %2, "
                                           "slovník se zapisuje jen do obyčejného souboru.")
                                .arg(path, refusal));
        }
        QCOMPARE(QFileInfo(path).isSymLink(), standing != "file" && standing != "fifo");
        if (fifoReader >= 0) {
            char byte = 0;
            QCOMPARE(::read(fifoReader, &byte, 1), ssize_t(0));
        }
        if (QFile::exists(kept))
            QCOMPARE(fileBytes(kept), "old");
        QCOMPARE(QDir(bed.tables.folder()).entryList({"slovnik*"}, QDir::AllEntries | QDir::System),
                 QStringList{"slovnik.dic"});
    }

    void exportAsTheMenuStartsIt() {
        ToolsTestBed bed({"0\tAbies\t\t\t\t\t1\t1"});
        QWidget parent;
        DictionaryExport exporter;
        const QString office = bed.tables.path("slovnik.dic");
        QStringList offered;
        const auto offer = [&offered](QFileDialog* dialog) {
            offered.append(dialog->findChild<QLineEdit*>("fileNameEdit")->text());
            QCOMPARE(dialog->selectedNameFilter(), dialog->nameFilters().first());
        };

        // A name typed without an extension gets ".dic".
        answerDialog([&](QFileDialog* dialog) {
            offer(dialog);
            dialog->selectFile(bed.tables.path("slovnik"));
            static_cast<QDialog*>(dialog)->accept();
        });
        exporter.BtnDICgenerateClick(&parent, bed.source, "plantnames.db", fields);
        QCOMPARE(fileBytes(office), "Abies\r\n");
        QCOMPARE(bed.messages, QStringList{officeMessage + office});

        // Cancelling writes nothing.
        QFile::remove(office);
        answerDialog([&](QFileDialog* dialog) {
            offer(dialog);
            dialog->reject();
        });
        exporter.BtnDICgenerateClick(&parent, bed.source, "plantnames.db", fields);
        QVERIFY(!QFile::exists(office));
        QCOMPARE(bed.messages.size(), 1);

        // The third filter writes a LibreOffice dictionary.
        answerDialog([&](QFileDialog* dialog) {
            offer(dialog);
            dialog->selectNameFilter(dialog->nameFilters().at(2));
            dialog->selectFile(bed.tables.path("libre"));
            static_cast<QDialog*>(dialog)->accept();
        });
        exporter.BtnDICgenerateClick(&parent, bed.source, "plantnames.db", fields);
        QCOMPARE(fileBytes(bed.tables.path("libre.dic")),
                 "OOoUserDict1\nlang: <none>\ntype: positive\n---\nAbies\n");
        QCOMPARE(offered, QStringList({"", "slovnik.dic", "slovnik.dic"}));
    }
};

QTEST_MAIN(TestDictionary)
#include "tst_dictionary.moc"
