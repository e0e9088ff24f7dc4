#include "jetreaders.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace hakobee::tests {

namespace {

// Separators that no test value contains, so no quoting is needed.
const QString FieldSeparator = QStringLiteral("\x1f");
const QString RowSeparator = QStringLiteral("\x1e");
const QString NullMarker = QStringLiteral("\x1d");

bool run(const QString& program, const QStringList& arguments, QByteArray& output, QString* failure)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (failure)
            *failure = QStringLiteral("%1 failed (%2): %3")
                           .arg(program, process.errorString(),
                                QString::fromUtf8(process.readAllStandardError()));
        return false;
    }
    output = process.readAllStandardOutput();
    return true;
}

QStringList stringList(const QJsonArray& array, const QString& key = {})
{
    QStringList list;
    for (const QJsonValue& value : array)
        list.append(key.isEmpty() ? value.toString() : value.toObject().value(key).toString());
    return list;
}

} // namespace

std::optional<ExportedTable> exportWithMdbTools(const QString& file, const QString& table,
                                                QString* failure)
{
    QByteArray output;
    if (!run(QStringLiteral("mdb-export"),
             {QStringLiteral("-Q"), QStringLiteral("-d"), FieldSeparator, QStringLiteral("-R"),
              RowSeparator, QStringLiteral("-0"), NullMarker, QStringLiteral("-T"),
              QStringLiteral("%Y-%m-%d %H:%M:%S"), file, table},
             output, failure))
        return std::nullopt;

    QStringList lines = QString::fromUtf8(output).split(RowSeparator);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        if (failure)
            *failure = QStringLiteral("mdb-export printed no header");
        return std::nullopt;
    }
    ExportedTable exported;
    exported.header = lines.takeFirst().split(FieldSeparator);
    for (const QString& line : lines) {
        ExportedRow row;
        for (const QString& cell : line.split(FieldSeparator))
            row.append(cell == NullMarker ? std::nullopt : std::optional<QString>(cell));
        exported.rows.append(row);
    }
    return exported;
}

QStringList mdbToolsTableNames(const QString& file, const QString& objectType)
{
    QStringList arguments{QStringLiteral("-1"), file};
    if (!objectType.isEmpty())
        arguments << QStringLiteral("-t") << objectType;
    QByteArray output;
    if (!run(QStringLiteral("mdb-tables"), arguments, output, nullptr))
        return {};
    return QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
}

std::optional<ReaderTable> readWithMdbReader(const QString& file, const QString& table,
                                             QString* failure, const QStringList& columns)
{
    QStringList arguments{QStringLiteral(HAKOBEE_MDBREADER_SCRIPT), file, table};
    if (!columns.isEmpty())
        arguments.append(columns.join(u','));
    QByteArray output;
    if (!run(QStringLiteral("node"), arguments, output, failure))
        return std::nullopt;

    const QList<QByteArray> lines = output.split('\n');
    ReaderTable read;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
        if (error.error != QJsonParseError::NoError) {
            if (failure)
                *failure = QStringLiteral("mdb-reader output line %1: %2")
                               .arg(i + 1)
                               .arg(error.errorString());
            return std::nullopt;
        }
        if (i == 0) {
            const QJsonObject head = document.object();
            read.tableNames = stringList(head.value(u"tables").toArray());
            read.columnNames = stringList(head.value(u"columns").toArray(), QStringLiteral("name"));
            read.columnTypes = stringList(head.value(u"columns").toArray(), QStringLiteral("type"));
            read.rowCount = head.value(u"rowCount").toInteger(-1);
        } else {
            read.rows.append(document.array());
        }
    }
    return read;
}

} // namespace hakobee::tests
