#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class XSession;

// A stretch of a paragraph as LibreOffice Writer shows it.
struct StyledRun {
    QString text;
    QString face;
    double pointSize = 0;
    bool italic = false;
};

// LibreOffice Writer on a session's display with a document of one paragraph, in a paragraph
// style of a face and size of its own, into which the user pastes and which Writer saves.
class WriterDocument {
public:
    WriterDocument(const XSession& session, const QString& face, int pointSize,
                   const QString& text);
    ~WriterDocument();
    WriterDocument(const WriterDocument&) = delete;
    WriterDocument& operator=(const WriterDocument&) = delete;

    // Waits for Writer's window; false when it does not come.
    bool waitForWindow();
    // Presses Ctrl+V at the end of the paragraph and saves with Ctrl+S; true when the saved
    // paragraph has grown by `pasted`.
    bool pasteAtEnd(const QString& pasted);
    // The saved paragraph, each run with the face, size and style that it is shown in.
    QList<StyledRun> savedParagraph() const;

private:
    QByteArray savedBytes() const;
    // The saved paragraph's text; empty while the file is `unsaved` or half written.
    QString savedText(const QByteArray& unsaved) const;

    const XSession& session_;
    QTemporaryDir dir_;
    QString path_;
    QString text_;
    QString window_;
    QProcess writer_;
};
