#include "shell/RegistryFile.h"
#include "support/ValueText.h"

#include <QTest>
#include <algorithm>

namespace {

const QByteArray top = "Windows Registry Editor Version 5.00\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Nardel\\1.0.0.0]\n";
const QString keyName = "HKEY_CURRENT_USER\\Software\\Tarnwick\\Nardel\\1.0.0.0";

// Each "Name=type:value" of `expected` against what the file holds.
void compareValues(const RegistryFile& file, const QStringList& expected) {
    for (const QString& entry : expected) {
        const QString name = entry.section('=', 0, 0);
        QCOMPARE(name + '=' + valueText(file.value(name)), entry);
    }
}

} // namespace

class TestRegistryFile : public QObject {
    Q_OBJECT

private slots:
    // `kept`: the lines that do not give the file's values, which a rewrite keeps as they
    // stood, in their order, and nothing else but the values.
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("kept");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("each type")
            << top + "\"FontName\"=\"Arial\"\n\"Level\"=dword:00000001\n"
                     "\"Path\"=hex(2):25,00,41,00,00,00\n\"Plain\"=hex(1):41,00,00,00\n"
                     "\"Bin\"=hex:01,ff\n\"Multi\"=hex(7):41,00,00,00,00,00\n"
            << QByteArrayList()
            << QStringList{"FontName=text:Arial", "Level=integer:1",
                           "Path=expandable:%A",  "Plain=text:A",
                           "Bin=other:hex:01,ff", "Multi=other:hex(7):41,00,00,00,00,00",
                           "Absent=missing"};
        QTest::newRow("escapes") << top + "\"Say \\\"hi\\\"\"=\"C:\\\\Temp\\\\\"\n"
                                 << QByteArrayList() << QStringList{"Say \"hi\"=text:C:\\Temp\\"};
        QTest::newRow("UTF-8 text and name")
            << top + "\"Schrift\u00dc\"=\"\u010celak. \u00d7\"\n"
            << QByteArrayList() << QStringList{"Schrift\u00dc=text:\u010celak. \u00d7"};
        QTest::newRow("dword widths and signs")
            << top + "\"Short\"=dword:1\n\"Minus\"=dword:ffffffff\n\"Upper\"=DWORD:7FFFFFFF\n"
                     "\"Lowest\"=dword:80000000\n"
            << QByteArrayList()
            << QStringList{"Short=integer:1", "Minus=integer:-1", "Upper=integer:2147483647",
                           "Lowest=integer:-2147483648"};
        QTest::newRow("hex text without terminator")
            << top + "\"Path\"=hex(2):41,00,42,00\n\"Empty\"=hex(1):\n"
            << QByteArrayList() << QStringList{"Path=expandable:AB", "Empty=text:"};
        QTest::newRow("hex text cut at zero")
            << top + "\"Plain\"=hex(1):41,00,00,00,42,00,00,00\n\"Path\"=hex(2):00,00,43,00\n"
            << QByteArrayList() << QStringList{"Plain=text:A", "Path=expandable:"};
        QTest::newRow("hex text with a leading FE FF kept")
            << top + "\"Odd\"=hex(1):fe,ff,41,00\n"
            << QByteArrayList() << QStringList{"Odd=text:" + QString(QChar(0xfffe)) + "A"};
        // As earlier versions wrote a text beginning with U+FEFF, and read it.
        QTest::newRow("quoted text with a leading byte-order mark dropped")
            << top + "\"Odd\"=\"\xEF\xBB\xBF"
                     "A\"\n"
            << QByteArrayList() << QStringList{"Odd=text:A"};
        QTest::newRow("continuation lines")
            << top + "\"Path\"=hex(2):25,00,41,00,\\\n  25,00,\\\n\t00,00\n"
                     "\"Bin\"=hex:01,\\\n  02\n\"After\"=dword:2\n"
            << QByteArrayList()
            << QStringList{"Path=expandable:%A%", "Bin=other:hex:01,02", "After=integer:2"};
        QTest::newRow("CRLF and byte-order mark")
            << "\xEF\xBB\xBF" + QByteArray(top).replace("\n", "\r\n") +
                   "\"A\"=\"x\"\r\n\"B\"=hex(2):41,00,\\\r\n  00,00\r\n"
            << QByteArrayList() << QStringList{"A=text:x", "B=expandable:A"};
        QTest::newRow("names in any case")
            << top + "\"FontName\"=\"Arial\"\n"
            << QByteArrayList() << QStringList{"fontname=text:Arial", "FONTNAME=text:Arial"};
        QTest::newRow("later line of the same name wins, the earlier stays")
            << top + "\"Level\"=dword:1\n\"Bin\"=hex:01,\\\r\n  02\n\"LEVEL\"=dword:2\n"
                     "\"BIN\"=dword:3\n"
            << QByteArrayList{"\"Level\"=dword:1", "\"Bin\"=hex:01,\\\n  02"}
            << QStringList{"level=integer:2", "bin=integer:3"};
        QTest::newRow("comments and empty lines")
            << top + "; set by the installer\n\n  \n\"A\"=dword:3\n  ; indented\n"
            << QByteArrayList{"; set by the installer", "  ; indented"}
            << QStringList{"A=integer:3"};
        // As in a registry export, only hex data goes on over a line's end.
        QTest::newRow("comment ending in a backslash")
            << top + "; was C:\\\n\"Level\"=dword:2\n"
            << QByteArrayList{"; was C:\\"} << QStringList{"Level=integer:2"};
        QTest::newRow("text ending in a backslash")
            << top + "\"Font\"=\"Arial\\\r\n\"Level\"=dword:2\r\n"
            << QByteArrayList{"\"Font\"=\"Arial\\"}
            << QStringList{"Font=missing", "Level=integer:2"};
        QTest::newRow("CRs before a line's end")
            << top + "; note\r\r\n\"A\"=dword:1\r\n"
            << QByteArrayList{"; note"} << QStringList{"A=integer:1"};
        QTest::newRow("hex data going on at the end of the file")
            << top + "\"Bin\"=hex:01,\\\n  02\\" << QByteArrayList()
            << QStringList{"Bin=other:hex:01,02"};
        QTest::newRow("blanks before a backslash that an empty line follows")
            << top + "\"Bin\"=hex:01 \t\\\n\n\"After\"=dword:2\n"
            << QByteArrayList() << QStringList{"Bin=other:hex:01", "After=integer:2"};
        QTest::newRow("unreadable hex data over two lines")
            << top + "\"Bin\"=hex:01,\\\n  zz\n\"Level\"=dword:2\n"
            << QByteArrayList{"\"Bin\"=hex:01,\\\n  zz"}
            << QStringList{"Bin=missing", "Level=integer:2"};

        const QByteArray good = top + "\"Before\"=\"b\"\n";
        const QByteArray after = "\n\"After\"=dword:a\n";
        const QStringList goodValues{"Before=text:b", "After=integer:10"};
        const auto unreadableRow = [&](const char* row, const QByteArray& line,
                                       const QString& name) {
            QTest::newRow(row) << good + line + after << QByteArrayList{line}
                               << goodValues + QStringList{name + "=missing"};
        };
        unreadableRow("garbage line", "Level=1", "Level");
        unreadableRow("dword with 9 digits", "\"Level\"=dword:000000001", "Level");
        unreadableRow("dword without digits", "\"Level\"=dword:", "Level");
        unreadableRow("dword not hex", "\"Level\"=dword:0000001g", "Level");
        unreadableRow("dword with a sign", "\"Level\"=dword:-1", "Level");
        unreadableRow("dword of 64 bits", "\"Level\"=dword:0000000100000000", "Level");
        unreadableRow("invalid UTF-8", "\"Font\"=\"Arial\xE9\"", "Font");
        unreadableRow("unclosed quote", "\"Font\"=\"Arial", "Font");
        unreadableRow("text after the quote", "\"Font\"=\"Arial\" bold", "Font");
        unreadableRow("unknown escape", "\"Font\"=\"Ari\\al\"", "Font");
        unreadableRow("space before the equals sign", "\"Font\" =\"Arial\"", "Font");
        unreadableRow("hex text of odd length", "\"Path\"=hex(2):41,00,42", "Path");
        unreadableRow("hex byte of three digits", "\"Bin\"=hex:001", "Bin");
        unreadableRow("hex list with an empty item", "\"Bin\"=hex:01,,02", "Bin");
        unreadableRow("hex type not hex", "\"Bin\"=hex(z):01", "Bin");
        unreadableRow("unknown type", "\"Big\"=qword:01", "Big");
        unreadableRow("default value", "@=\"x\"", "@");
        QTest::newRow("missing header")
            << QByteArray("[HKEY_CURRENT_USER\\Software]\n\"A\"=dword:1\n") << QByteArrayList()
            << QStringList{"A=integer:1"};
        QTest::newRow("missing section")
            << QByteArray("Windows Registry Editor Version 5.00\n\"A\"=dword:1\n")
            << QByteArrayList() << QStringList{"A=integer:1"};
        QTest::newRow("empty file") << QByteArray() << QByteArrayList() << QStringList{"A=missing"};

        // Comment lines fill the file to exactly the largest size a key may have.
        QByteArray full = top + "\"A\"=dword:1\n";
        const qsizetype fill = RegistryFile::maxSize - full.size();
        const QByteArray comment = ';' + QByteArray(fill - 2, 'x');
        full += comment + '\n';
        QTest::newRow("file of 1 MiB")
            << full << QByteArrayList{comment} << QStringList{"A=integer:1"};
        QTest::newRow("file over 1 MiB") << full + '\n'
                                         << QByteArrayList() << QStringList{"A=missing"};
    }

    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArrayList, kept);
        QFETCH(QStringList, values);
        const RegistryFile file = RegistryFile::parse(bytes);
        compareValues(file, values);
        const QByteArray rewritten = file.write(keyName);
        QVERIFY(rewritten.startsWith(top));
        // Each line that gives one of the file's values on its own is a value's line.
        const auto givesValue = [&](const QByteArray& line) {
            const RegistryFile single = RegistryFile::parse(line);
            return std::any_of(values.cbegin(), values.cend(), [&](const QString& entry) {
                const QString name = entry.section('=', 0, 0);
                return single.value(name) &&
                       valueText(single.value(name)) == valueText(file.value(name));
            });
        };
        QByteArrayList others;
        for (const QByteArray& line : rewritten.sliced(top.size()).split('\n'))
            if (!givesValue(line))
                others.append(line);
        QCOMPARE(others.join('\n'), (kept + QByteArrayList{QByteArray()}).join('\n'));
    }

    // A file read and written comes out the same when read and written again, and a value set
    // after reading it reads back from the rewritten file.
    void rewriteIsStable_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CRs before a line's end") << top + "; note\r\r\n";
        QTest::newRow("hex data going on at the end of the file")
            << top + "\"Bin\"=hex:01,\\\r\n  zz,\\";
        QTest::newRow("backslashes at the end of the file") << top + "\"Bin\"=hex(7):4\f\\\\\\";
        QTest::newRow("blanks before a backslash that an empty line follows")
            << top + "\"Bin\"=hex:01 \\\n\n";
    }

    void rewriteIsStable() {
        QFETCH(QByteArray, bytes);
        RegistryFile file = RegistryFile::parse(bytes);
        const QByteArray rewritten = file.write(keyName);
        QCOMPARE(RegistryFile::parse(rewritten).write(keyName), rewritten);
        file.setValue("Added", RegistryValue::ofInteger(7));
        QCOMPARE(valueText(RegistryFile::parse(file.write(keyName)).value("Added")),
                 QString("integer:7"));
    }

    // What each value looks like on its line, and that it reads back with its type.
    void writeAndReadBack_data() {
        QTest::addColumn<RegistryValue>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<RegistryValue>("readBack");
        const auto row = [](const char* name, const RegistryValue& value, const QByteArray& line) {
            QTest::newRow(name) << value << line << value;
        };
        row("text", RegistryValue::ofText("Arial"), "\"Name\"=\"Arial\"");
        row("empty text", RegistryValue::ofText(""), "\"Name\"=\"\"");
        row("text with quotes and backslashes", RegistryValue::ofText("C:\\a \"b\"\\"),
            "\"Name\"=\"C:\\\\a \\\"b\\\"\\\\\"");
        row("text with a line break", RegistryValue::ofText("a\nb"),
            "\"Name\"=hex(1):61,00,0a,00,62,00,00,00");
        row("text with CR", RegistryValue::ofText("a\r"), "\"Name\"=hex(1):61,00,0d,00,00,00");
        row("text with a lone surrogate", RegistryValue::ofText(QString(QChar(0xd800))),
            "\"Name\"=hex(1):00,d8,00,00");
        row("non-Latin text", RegistryValue::ofText("\u010celak. \u00d7"),
            "\"Name\"=\"\u010celak. \u00d7\"");
        row("text beginning with a byte-order mark",
            RegistryValue::ofText(QString(QChar(0xfeff)) + "A"),
            "\"Name\"=hex(1):ff,fe,41,00,00,00");
        row("expandable text", RegistryValue::ofExpandableText("%A"),
            "\"Name\"=hex(2):25,00,41,00,00,00");
        row("empty expandable text", RegistryValue::ofExpandableText(""), "\"Name\"=hex(2):00,00");
        row("integer", RegistryValue::ofInteger(1), "\"Name\"=dword:00000001");
        row("negative integer", RegistryValue::ofInteger(-1), "\"Name\"=dword:ffffffff");
        row("lowest integer", RegistryValue::ofInteger(std::numeric_limits<qint32>::min()),
            "\"Name\"=dword:80000000");
        row("highest integer", RegistryValue::ofInteger(std::numeric_limits<qint32>::max()),
            "\"Name\"=dword:7fffffff");
        QTest::newRow("text with a zero, cut when read")
            << RegistryValue::ofText(QString("a") + QChar(u'\0') + "b")
            << QByteArray("\"Name\"=hex(1):61,00,00,00,62,00,00,00") << RegistryValue::ofText("a");
    }

    void writeAndReadBack() {
        QFETCH(RegistryValue, value);
        QFETCH(QByteArray, line);
        QFETCH(RegistryValue, readBack);
        RegistryFile file;
        file.setValue("Name", value);
        const QByteArray bytes = file.write(keyName);
        QCOMPARE(bytes, top + line + '\n');
        QCOMPARE(valueText(RegistryFile::parse(bytes).value("Name")), valueText(readBack));
    }

    void namesAreEscapedAndReadBack() {
        const QString name = "Odd \"name\" \\ \u00fc";
        RegistryFile file;
        file.setValue(name, RegistryValue::ofInteger(5));
        const QByteArray bytes = file.write(keyName);
        QVERIFY(bytes.contains("\n\"Odd \\\"name\\\" \\\\ \u00fc\"=dword:00000005\n"));
        QCOMPARE(valueText(RegistryFile::parse(bytes).value(name)), QString("integer:5"));
    }

    // A value set again, under any letter case, keeps its place and first spelling (the last
    // line of a name that stands twice); new values come last; comments, lines that do not
    // read as values, values of other types and the file's order come back as they stood.
    void setValueKeepsPlaces() {
        RegistryFile file =
            RegistryFile::parse(top + "\"LEVEL\"=dword:0\n; note \\\n\"Bin\"=hex:01,\\\n  02\n"
                                      "Level=3 \\\n\"FontName\"=\"Arial\"\n\"Level\"=dword:1\n");
        file.setValue("FONTNAME", RegistryValue::ofText("Courier"));
        file.setValue("New", RegistryValue::ofInteger(2));
        file.setValue("level", RegistryValue::ofExpandableText("%A"));
        QCOMPARE(file.write(keyName),
                 top + "\"LEVEL\"=dword:0\n; note \\\n\"Bin\"=hex:01,02\nLevel=3 \\\n"
                       "\"FontName\"=\"Courier\"\n"
                       "\"Level\"=hex(2):25,00,41,00,00,00\n"
                       "\"New\"=dword:00000002\n");
    }
};

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_registryfile.moc"
