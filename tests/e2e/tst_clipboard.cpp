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

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT

private slots:
    // The real program picks a name from the keyboard and copies it at once; a second
    // program reads it back as plain text, RTF and HTML, and LibreOffice Writer reads the RTF.
    void formattedCopyReachesOtherPrograms() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        session.settings().writeKey({R"("Level"=dword:00000002)", R"("AddAuthor"=dword:00000001)",
                                     R"("AutoClipbrd"=dword:00000001)",
                                     R"("Formated"=dword:00000001)", R"("FontName"="DejaVu Serif")",
                                     R"("FontSize"=dword:0000000c)"});
        session.startProgram(NARDEL_PROGRAM);
        QVERIFY(session.dismissInfoWindow());
        QString window;
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow("^Nardel Pro$")).isEmpty(); }));

        // The genus list has the focus first; typing selects, Tab moves on.
        session.run("xdotool", {"windowfocus", "--sync", window});
        for (const char* typed : {"Picea", "abies", "subsp. o"}) {
            session.run("xdotool", {"type", "--delay", "20", typed});
            session.run("xdotool", {"key", "Tab"});
        }
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
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
