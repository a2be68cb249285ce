#include "e2e/WriterDocument.h"
#include "e2e/XSession.h"
#include "support/RichTextReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString fullName = "Picea abies (L.) H.Karst. subsp. obovata (Ledeb.) Hultén";
const QString fullMarkup = "/Picea abies /(L.) H.Karst. subsp./ obovata /(Ledeb.) Hultén";

// What LibreOffice Writer makes of an RTF document: its own HTML of it.
QByteArray writerHtmlOf(const QByteArray& rtf) {
    QTemporaryDir dir;
    QFile document(dir.filePath("name.rtf"));
    if (!document.open(QIODevice::WriteOnly) || document.write(rtf) != rtf.size())
        return {};
    document.close();
    QProcess writer;
    writer.start("soffice", {"-env:UserInstallation=file://" + dir.filePath("profile"),
                             "--headless", "--convert-to", "html:HTML (StarWriter)", "--outdir",
                             dir.path(), document.fileName()});
    if (!writer.waitForFinished(180000))
        return {};
    QFile html(dir.filePath("name.html"));
    return html.open(QIODevice::ReadOnly) ? html.readAll() : QByteArray();
}

// Starts the program with formatted output and automatic copying on, at the subspecies level
// with authors, and picks the full name from the keyboard, which copies it at once; false when
// the program's window does not come.
bool startAndPickFullName(XSession& session, const QStringList& font) {
    session.copyBundledTables();
    session.settings().writeKey(
        QStringList{R"("Level"=dword:00000002)", R"("AddAuthor"=dword:00000001)",
                    R"("AutoClipbrd"=dword:00000001)", R"("Formated"=dword:00000001)"} +
        font);
    const QString window = session.startToMainWindow(NARDEL_PROGRAM);
    if (window.isEmpty())
        return false;
    // The genus list has the focus first; typing selects, Tab moves on.
    session.run("xdotool", {"windowfocus", "--sync", window});
    for (const char* typed : {"Picea", "abies", "subsp. o"}) {
        session.run("xdotool", {"type", "--delay", "20", typed});
        session.run("xdotool", {"key", "Tab"});
    }
    return true;
}

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT

private slots:
    // The real program picks a name from the keyboard and copies it at once; a second
    // program reads it back as plain text, RTF and HTML, and LibreOffice Writer reads the RTF.
    void formattedCopyReachesOtherPrograms() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QVERIFY(startAndPickFullName(
            session, {R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:0000000c)"}));
        const auto clipboard = [&](const QString& target) {
            return session.run("xclip", {"-o", "-selection", "clipboard", "-t", target});
        };
        QVERIFY2(XSession::waitFor([&] { return clipboard("UTF8_STRING") == fullName; }),
                 qPrintable(clipboard("UTF8_STRING")));
        QVERIFY(clipboard("TARGETS").contains("application/x-nardel-owner"));
        QCOMPARE(readRtf(clipboard("text/rtf").toUtf8()).markup, fullMarkup);
        QCOMPARE(readHtml(clipboard("text/html").toUtf8()).markup, fullMarkup);
        const RichText rtf = readRtf(clipboard("text/rtf").toUtf8());
        QCOMPARE(rtf.face, QString("DejaVu Serif"));
        QCOMPARE(rtf.pointSize, 12);

        const RichText writer = readHtml(writerHtmlOf(clipboard("text/rtf").toUtf8()));
        QCOMPARE(writer.markup, fullMarkup);
        QCOMPARE(writer.pointSize, 12);
    }

    // Ctrl+V in a Writer paragraph of another face and size: the name keeps its italic and
    // upright runs, in the paragraph's face and size until the user chooses a base font.
    void formattedNamePastesIntoWriter_data() {
        QTest::addColumn<QStringList>("font");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("size");
        QTest::newRow("no base font") << QStringList() << "Liberation Serif" << 14.0;
        QTest::newRow("base font chosen")
            << QStringList{R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:0000000c)"}
            << "DejaVu Serif" << 12.0;
    }
    void formattedNamePastesIntoWriter() {
        QFETCH(QStringList, font);
        QFETCH(QString, face);
        QFETCH(double, size);
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        const QString before = "Rostlina: ";
        WriterDocument document(session, "Liberation Serif", 14, before);
        QVERIFY2(document.waitForWindow(), "Writer did not open the document");
        QVERIFY(startAndPickFullName(session, font));
        QVERIFY(XSession::waitFor([&] {
            return session.run("xclip", {"-o", "-selection", "clipboard", "-t", "UTF8_STRING"}) ==
                   fullName;
        }));

        QVERIFY2(document.pasteAtEnd(fullName), "Writer did not save the pasted name");
        QString markup;
        bool italic = false;
        qsizetype position = 0;
        for (const StyledRun& run : document.savedParagraph()) {
            if (run.italic != italic)
                markup += u'/';
            italic = run.italic;
            markup += run.text;
            // The paragraph's own text stays as it was; the name is in the expected format.
            const bool pasted = position + run.text.size() > before.size();
            QCOMPARE(run.face, pasted ? face : QString("Liberation Serif"));
            QCOMPARE(run.pointSize, pasted ? size : 14.0);
            position += run.text.size();
        }
        QCOMPARE(markup + (italic ? "/" : ""), before + fullMarkup);
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
