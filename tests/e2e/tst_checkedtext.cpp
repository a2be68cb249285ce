#include "e2e/WriterDocument.h"
#include "e2e/XSession.h"
#include "support/RichTextReader.h"

#include <QTest>

namespace {

// A paragraph as a browser copies it: the first name in italics, the others upright, one of
// them a synonym and one abbreviated.
const QString copiedHtml =
    "<html><body><p>Smrk <i>Picea abies</i> (L.) H.Karst. roste s Larix decidua Mill.; "
    "dříve Picea excelsa, u nás i P. abies subsp. obovata.</p></body></html>";
const QString checkedMarkup = "Smrk /Picea abies/ (L.) H.Karst. roste s /Larix decidua/ Mill.; "
                              "dříve /Picea excelsa/, u nás i /P. abies/ subsp. /obovata/.";

// Copies the paragraph in a second program, opens the text check on it (Ctrl+K) and copies
// the checked text back (Alt+K); the window's id, or empty when it did not come.
QString checkCopiedParagraph(XSession& session) {
    session.copyBundledTables();
    const QString main = session.startToMainWindow(NARDEL_PROGRAM);
    if (main.isEmpty())
        return {};
    session.run("bash",
                {"-c", "printf '%s' \"$0\" | xclip -selection clipboard -t text/html", copiedHtml});
    session.pressKey(main, "ctrl+k");
    QString check;
    XSession::waitFor([&] { return !(check = session.findWindow("^Kontrola textu$")).isEmpty(); });
    if (check.isEmpty())
        return {};
    session.pressKey(check, "alt+k");
    return check;
}

QString clipboard(const XSession& session, const QString& target) {
    return session.run("xclip", {"-o", "-selection", "clipboard", "-t", target});
}

} // namespace

class TestCheckedText : public QObject {
    Q_OBJECT

private slots:
    // The paragraph comes back as RTF and HTML with every name's words in italics, rank words
    // and authors upright, and as plain text.
    void checkedTextComesBackInItalics() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QVERIFY2(!checkCopiedParagraph(session).isEmpty(), "the text check window did not come");
        QVERIFY2(XSession::waitFor([&] {
                     return readRtf(clipboard(session, "text/rtf").toUtf8()).markup ==
                            checkedMarkup;
                 }),
                 qPrintable(readRtf(clipboard(session, "text/rtf").toUtf8()).markup));
        QCOMPARE(readHtml(clipboard(session, "text/html").toUtf8()).markup, checkedMarkup);
        QCOMPARE(clipboard(session, "UTF8_STRING"), QString(checkedMarkup).remove(u'/'));
    }

    // Pasted into a Writer paragraph, the names are in italics and the rest upright, all in
    // the paragraph's face and size.
    void checkedTextPastesIntoWriter() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        const QString before = "Text: ";
        WriterDocument document(session, "Liberation Serif", 14, before);
        QVERIFY2(document.waitForWindow(), "Writer did not open the document");
        QVERIFY2(!checkCopiedParagraph(session).isEmpty(), "the text check window did not come");
        const QString plain = QString(checkedMarkup).remove(u'/');
        QVERIFY(XSession::waitFor([&] { return clipboard(session, "UTF8_STRING") == plain; }));
        QVERIFY2(document.pasteAtEnd(plain), "Writer did not save the pasted text");
        QString markup;
        bool italic = false;
        for (const StyledRun& run : document.savedParagraph()) {
            if (run.italic != italic)
                markup += u'/';
            italic = run.italic;
            markup += run.text;
            QCOMPARE(run.face, QString("Liberation Serif"));
            QCOMPARE(run.pointSize, 14.0);
        }
        QCOMPARE(markup + (italic ? "/" : ""), before + checkedMarkup);
    }
};

QTEST_MAIN(TestCheckedText)
#include "tst_checkedtext.moc"
