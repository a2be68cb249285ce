#pragma once

#include "check/StyledText.h"
#include "names/NameCatalog.h"
#include "names/NamesInText.h"
#include "platform/FormattedText.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

// One text checked against the tables: the names found in it in the order of the text, the
// names the user chose to put in place of written ones, and the text given back with every
// found name's name words in italics.
class TextCheck {
    Q_DECLARE_TR_FUNCTIONS(TextCheck)

public:
    TextCheck(const NameCatalog& catalog, StyledText text, bool misspellings);

    qsizetype size() const { return m_found.size(); }
    const FoundName& found(qsizetype row) const { return m_found[row]; }

    // The columns of a row as the window and the command show them: the line, the name as
    // written (on one line), the name in the tables (with its authors when the text has
    // authors; the suggestion for a misspelling; empty when unknown) and the status.
    int line(qsizetype row) const { return m_found[row].line; }
    QString written(qsizetype row) const;
    QString name(qsizetype row) const;
    QString status(qsizetype row) const;

    // Whether the row offers a name to put in place of the written one: a synonym's accepted
    // name or a misspelling's suggestion. None is put in unless chosen.
    bool offersReplacement(qsizetype row) const;
    // The name of the tables that a row leads to in the main window, whose lists hold accepted
    // names: the one found, a synonym's accepted name, a misspelling's suggestion; none for an
    // unknown name.
    std::optional<NameCatalog::Id> selectable(qsizetype row) const;
    bool replaces(qsizetype row) const { return m_replaces[row]; }
    void setReplaces(qsizetype row, bool replace);

    // The text with the chosen names put in, paragraph by paragraph, every found name's name
    // words in italics and the rest upright.
    QList<FormattedText> formatted() const;
    // The same as plain text.
    QString plainText() const;
    // Formatted paragraphs as plain text, one a line.
    static QString plainText(const QList<FormattedText>& paragraphs);

private:
    QByteArray replacementOf(qsizetype row) const;
    NameCatalog::Id acceptedOf(NameCatalog::Id id) const;

    const NameCatalog& m_catalog;
    StyledText m_text;
    QList<FoundName> m_found;
    QList<bool> m_replaces;
};
