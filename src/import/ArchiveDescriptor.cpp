#include "import/ArchiveDescriptor.h"

#include "import/ImportError.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

class DescriptorReader {
public:
    DescriptorReader(const QByteArray& xml, const QString& folder, const QString& name)
        : xml_(xml), folder_(folder), name_(name) {}

    ArchiveDescriptor read() {
        if (!xml_.readNextStartElement())
            failXml();
        // Early archives name their root starArchive and the core file in an attribute.
        const auto root = xml_.name();
        if (root != QLatin1String("archive") && root != QLatin1String("starArchive"))
            fail(QCoreApplication::translate("ArchiveDescriptor",
                                             "kořenový prvek je <%1>, ne <archive>")
                     .arg(root));
        const QString metadata = xml_.attributes().value(QLatin1String("metadata")).toString();
        if (!metadata.isEmpty())
            result_.metadata = folder_ + metadata;
        bool core = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("core") && !core) {
                core = true;
                readCore();
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            failXml();
        if (!core)
            fail(QCoreApplication::translate("ArchiveDescriptor",
                                             "chybí prvek <core>, jádro archivu"));
        return result_;
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw ImportError(
            QStringLiteral("%1:%2: %3").arg(name_).arg(xml_.lineNumber()).arg(what).toStdString());
    }
    [[noreturn]] void failXml() const {
        fail(QCoreApplication::translate("ArchiveDescriptor", "meta.xml nelze přečíst: %1")
                 .arg(xml_.errorString()));
    }

    // A separator or quote as meta.xml writes it: "\t", "&#9;", "" ...
    static QString unescaped(QStringView text) {
        QString out;
        for (qsizetype at = 0; at < text.size(); ++at) {
            const QChar c = text[at];
            if (c != '\\' || at + 1 == text.size()) {
                out += c;
                continue;
            }
            const QChar next = text[++at];
            out += next == 't'   ? QChar('\t')
                   : next == 'n' ? QChar('\n')
                   : next == 'r' ? QChar('\r')
                                 : next;
        }
        return out;
    }

    char singleByte(const QString& attribute, char fallback, bool mayBeEmpty) {
        const QXmlStreamAttributes attributes = xml_.attributes();
        if (!attributes.hasAttribute(attribute))
            return fallback;
        const QString value = unescaped(attributes.value(attribute));
        if (value.isEmpty() && mayBeEmpty)
            return 0;
        if (value.size() != 1 || value[0].unicode() > 0x7F)
            fail(QCoreApplication::translate("ArchiveDescriptor",
                                             "%1=\"%2\" neumíme číst: musí to být jeden znak ASCII")
                     .arg(attribute, attributes.value(attribute)));
        return char(value[0].unicode());
    }

    int number(QStringView text, const QString& what) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < 0)
            fail(QCoreApplication::translate("ArchiveDescriptor",
                                             "%1 \"%2\" není nezáporné celé číslo")
                     .arg(what, text));
        return value;
    }

    void readCore() {
        result_.coreLine = xml_.lineNumber();
        const QXmlStreamAttributes attributes = xml_.attributes();
        result_.rowType = attributes.value(QLatin1String("rowType")).toString();
        TextDialect& dialect = result_.dialect;
        dialect.declaredInMeta = true;
        dialect.separator = singleByte(QStringLiteral("fieldsTerminatedBy"), ',', false);
        dialect.quote = singleByte(QStringLiteral("fieldsEnclosedBy"), '"', true);
        const QString lineEnd =
            attributes.hasAttribute(QLatin1String("linesTerminatedBy"))
                ? unescaped(attributes.value(QLatin1String("linesTerminatedBy")))
                : QStringLiteral("\n");
        if (lineEnd == QLatin1String("\r"))
            dialect.lineEnd = '\r';
        else if (lineEnd != QLatin1String("\n") && lineEnd != QLatin1String("\r\n"))
            fail(QCoreApplication::translate(
                     "ArchiveDescriptor",
                     "linesTerminatedBy=\"%1\" neumíme číst: řádky končí \\n, \\r\\n "
                     "nebo \\r")
                     .arg(attributes.value(QLatin1String("linesTerminatedBy"))));
        if (attributes.hasAttribute(QLatin1String("ignoreHeaderLines")))
            dialect.headerLines = number(attributes.value(QLatin1String("ignoreHeaderLines")),
                                         QStringLiteral("ignoreHeaderLines"));
        if (attributes.hasAttribute(QLatin1String("encoding")))
            dialect.encoding = attributes.value(QLatin1String("encoding")).toLatin1();
        if (attributes.hasAttribute(QLatin1String("location")))
            result_.files.append(folder_ + attributes.value(QLatin1String("location")).toString());

        while (xml_.readNextStartElement()) {
            const auto element = xml_.name();
            if (element == QLatin1String("files")) {
                while (xml_.readNextStartElement()) {
                    if (xml_.name() == QLatin1String("location"))
                        result_.files.append(folder_ + xml_.readElementText().trimmed());
                    else
                        xml_.skipCurrentElement();
                }
            } else if (element == QLatin1String("id")) {
                result_.idIndex = indexOf(xml_.attributes(), true);
                xml_.skipCurrentElement();
            } else if (element == QLatin1String("field")) {
                readField();
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            failXml();
        if (result_.files.isEmpty())
            fail(QCoreApplication::translate(
                "ArchiveDescriptor", "prvek <core> nejmenuje žádný soubor (<files><location>)"));
    }

    int indexOf(const QXmlStreamAttributes& attributes, bool mayLack) {
        if (!attributes.hasAttribute(QLatin1String("index"))) {
            if (mayLack)
                return -1;
            fail(QCoreApplication::translate("ArchiveDescriptor", "pole nemá index ani default"));
        }
        return number(attributes.value(QLatin1String("index")), QStringLiteral("index"));
    }

    void readField() {
        const QXmlStreamAttributes attributes = xml_.attributes();
        ArchiveDescriptor::Field field;
        field.term = attributes.value(QLatin1String("term")).toString();
        field.defaultValue = attributes.value(QLatin1String("default")).toString();
        field.delimiter = attributes.value(QLatin1String("delimitedBy")).toString();
        field.index = indexOf(attributes, attributes.hasAttribute(QLatin1String("default")));
        if (field.term.isEmpty())
            fail(QCoreApplication::translate("ArchiveDescriptor", "pole nemá term"));
        result_.fields.append(field);
        xml_.skipCurrentElement();
    }

    QXmlStreamReader xml_;
    QString folder_;
    QString name_;
    ArchiveDescriptor result_;
};

} // namespace

ArchiveDescriptor ArchiveDescriptor::read(const QByteArray& xml, const QString& folder,
                                          const QString& name) {
    return DescriptorReader(xml, folder, name).read();
}
