#include "platform/workbook/workbookparts.h"

#include "core/error.h"
#include "platform/workbook/xmlpartreader.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>

namespace hakobee {

namespace {

using Token = QXmlStreamReader::TokenType;

struct Relationship
{
    QString type;
    QString target;
};

// A part's relationships (its .rels part) by id, targets as container paths.
QHash<QString, Relationship> readRelationships(const ZipArchive& archive, const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = part.left(slash + 1);
    const QString relsPart = folder + u"_rels/"_qs + part.mid(slash + 1) + u".rels"_qs;
    QHash<QString, Relationship> relationships;
    if (!archive.contains(relsPart))
        return relationships;
    XmlPartReader reader(archive, relsPart);
    for (Token token = reader.next(); token != Token::EndDocument; token = reader.next()) {
        if (token != Token::StartElement || reader.xml().name() != u"Relationship"_qs)
            continue;
        const QXmlStreamAttributes attributes = reader.xml().attributes();
        QString target = attributes.value(u"Target"_qs).toString();
        target = target.startsWith(QLatin1Char('/')) ? target.mid(1) : folder + target;
        relationships.insert(attributes.value(u"Id"_qs).toString(),
                             {attributes.value(u"Type"_qs).toString(), QDir::cleanPath(target)});
    }
    return relationships;
}

QString targetOfType(const QHash<QString, Relationship>& relationships, QStringView typeEnd)
{
    for (const Relationship& relationship : relationships) {
        if (relationship.type.endsWith(typeEnd))
            return relationship.target;
    }
    return {};
}

// An attribute by its local name, whatever prefix the file gives it (r:id).
QString attribute(const QXmlStreamReader& xml, QStringView name)
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.name() == name)
            return attribute.value().toString();
    }
    return {};
}

bool isTrue(const QString& value)
{
    return value == u"1"_qs || value.compare(u"true"_qs, Qt::CaseInsensitive) == 0;
}

std::vector<bool> readDateStyles(const ZipArchive& archive, const QString& part)
{
    QHash<int, QString> formatCodes;
    std::vector<bool> dateStyles;
    XmlPartReader reader(archive, part);
    bool inCellFormats = false;
    for (Token token = reader.next(); token != Token::EndDocument; token = reader.next()) {
        const QStringView name = reader.xml().name();
        if (token == Token::StartElement) {
            if (name == u"numFmt"_qs) {
                formatCodes.insert(attribute(reader.xml(), u"numFmtId").toInt(),
                                   attribute(reader.xml(), u"formatCode"));
            } else if (name == u"cellXfs"_qs) {
                inCellFormats = true;
            } else if (name == u"xf"_qs && inCellFormats) {
                const int id = attribute(reader.xml(), u"numFmtId").toInt();
                dateStyles.push_back(isDateFormat(id, formatCodes.value(id)));
            }
        } else if (token == Token::EndElement && name == u"cellXfs"_qs) {
            inCellFormats = false;
        }
    }
    return dateStyles;
}

} // namespace

SharedStrings::SharedStrings() = default;
SharedStrings::~SharedStrings() = default;
SharedStrings::SharedStrings(SharedStrings&&) noexcept = default;
SharedStrings& SharedStrings::operator=(SharedStrings&&) noexcept = default;

void SharedStrings::open(const ZipArchive& archive, const QString& part)
{
    reader_ = std::make_unique<XmlPartReader>(archive, part);
}

// Reads the next <si>'s text: its own <t>, or its runs' <t>s; the phonetic
// guide (<rPh>, the reading Japanese Excel keeps) is not part of it. False
// at the end of the table.
bool SharedStrings::readNext() const
{
    if (!reader_)
        return false;
    QString text;
    bool inItem = false;
    bool inText = false;
    int phoneticDepth = 0;
    for (Token token = reader_->next(); token != Token::EndDocument; token = reader_->next()) {
        const QStringView name = reader_->xml().name();
        if (token == Token::StartElement) {
            if (name == u"si")
                inItem = true;
            else if (name == u"rPh")
                ++phoneticDepth;
            else if (name == u"t")
                inText = inItem && phoneticDepth == 0;
        } else if (token == Token::EndElement) {
            if (name == u"si") {
                starts_.push_back(characters_.size());
                characters_ += text;
                return true;
            }
            if (name == u"rPh")
                --phoneticDepth;
            else if (name == u"t")
                inText = false;
        } else if (token == Token::Characters && inText) {
            text += reader_->xml().text();
        }
    }
    reader_.reset();
    return false;
}

std::optional<QString> SharedStrings::at(qsizetype index) const
{
    if (index < 0)
        return std::nullopt;
    while (qsizetype(starts_.size()) <= index) {
        if (!readNext())
            return std::nullopt;
    }
    const qsizetype start = starts_.at(size_t(index));
    const qsizetype end =
        size_t(index + 1) < starts_.size() ? starts_.at(size_t(index + 1)) : characters_.size();
    return characters_.mid(start, end - start);
}

bool isDateFormat(int formatId, const QString& formatCode)
{
    if ((formatId >= 14 && formatId <= 22) || (formatId >= 27 && formatId <= 36) ||
        (formatId >= 45 && formatId <= 47) || (formatId >= 50 && formatId <= 58))
        return true;
    if (formatCode.isEmpty())
        return false;
    // Quoted texts, escaped characters, colours and locales ([Red],
    // [$-411]) name no date part; elapsed time ([h]:mm) does.
    static const QRegularExpression notFormat(uR"("[^"]*"|\\.|_.|\*.|\[(?![hms]+\])[^\]]*\])"_qs);
    QString code = formatCode;
    code.remove(notFormat);
    code.remove(u"general"_qs, Qt::CaseInsensitive);
    // Only the first section, the one for positive numbers, shows a date.
    code = code.section(QLatin1Char(';'), 0, 0);
    static const QRegularExpression datePart(u"[yYmMdDhHsSgGe]"_qs);
    return code.contains(datePart) && !code.contains(u"E+"_qs, Qt::CaseInsensitive);
}

WorkbookParts readWorkbookParts(const ZipArchive& archive, bool sheetsOnly)
{
    const QString workbookPart = [&] {
        const QString found =
            targetOfType(readRelationships(archive, QString()), u"/officeDocument");
        return found.isEmpty() ? u"xl/workbook.xml"_qs : found;
    }();
    if (!archive.contains(workbookPart)) {
        throw Error(u"ブック「%1」にシートの一覧 (%2) がありません。Excel のブック (.xlsx) では"
                    u"ないか、壊れています。"_qs.arg(QDir::toNativeSeparators(archive.path()),
                                                     workbookPart));
    }
    const QHash<QString, Relationship> relationships = readRelationships(archive, workbookPart);

    WorkbookParts parts;
    XmlPartReader reader(archive, workbookPart);
    for (Token token = reader.next(); token != Token::EndDocument; token = reader.next()) {
        if (token != Token::StartElement)
            continue;
        const QStringView name = reader.xml().name();
        if (name == u"workbookPr"_qs) {
            parts.date1904 = isTrue(attribute(reader.xml(), u"date1904"));
        } else if (name == u"sheet"_qs) {
            const Relationship relationship = relationships.value(attribute(reader.xml(), u"id"));
            // Chart sheets and dialog sheets hold no cells.
            if (relationship.type.endsWith(u"/worksheet"_qs))
                parts.sheets.append({attribute(reader.xml(), u"name"), relationship.target});
        }
    }
    if (sheetsOnly)
        return parts;
    if (const QString strings = targetOfType(relationships, u"/sharedStrings");
        !strings.isEmpty() && archive.contains(strings))
        parts.sharedStrings.open(archive, strings);
    if (const QString styles = targetOfType(relationships, u"/styles");
        !styles.isEmpty() && archive.contains(styles))
        parts.dateStyles = readDateStyles(archive, styles);
    return parts;
}

} // namespace hakobee
