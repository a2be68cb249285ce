#include "import/ChecklistCitation.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QXmlStreamReader>
#include <algorithm>

namespace ChecklistCitation {

QString fromMetadata(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    QString title;
    QString year;
    QString citation;
    int datasetDepth = -1;
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth < datasetDepth)
                datasetDepth = -1;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const auto name = reader.name();
        if (name == QLatin1String("dataset") && datasetDepth < 0) {
            datasetDepth = depth;
        } else if (datasetDepth >= 0 && depth == datasetDepth + 1 &&
                   name == QLatin1String("title") && title.isEmpty()) {
            title = reader.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
            --depth;
        } else if (datasetDepth >= 0 && depth == datasetDepth + 1 &&
                   name == QLatin1String("pubDate") && year.isEmpty()) {
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("\\b(\\d{4})\\b"))
                    .match(reader.readElementText());
            year = match.captured(1);
            --depth;
        } else if ((name == QLatin1String("bibliographicCitation") ||
                    name == QLatin1String("citation")) &&
                   citation.isEmpty()) {
            citation = reader.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
            --depth;
        }
    }
    if (title.isEmpty())
        return citation;
    return year.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, year);
}

QString shortened(const QString& citation) {
    if (citation.size() <= longest)
        return citation;
    // What follows the cut tells whether a character ends there; the rest is not looked at.
    const QString head = citation.first(longest + 1);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, head);
    characters.setPosition(longest - 1); // room for the ellipsis
    if (!characters.isAtBoundary())
        characters.toPreviousBoundary();
    return head.first(std::max<qsizetype>(characters.position(), 0)) + QChar(0x2026);
}

} // namespace ChecklistCitation
