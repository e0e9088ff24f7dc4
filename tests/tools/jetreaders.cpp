#include "jetreaders.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace hakobee::tests {

namespace {

// Separators that no test value contains, so no quoting is needed.
const QString FieldSeparator = u"\x1f"_qs;
const QString RowSeparator = u"\x1e"_qs;
const QString NullMarker = u"\x1d"_qs;

bool run(const QString& program, const QStringList& arguments, QByteArray& output, QString* failure)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (failure)
            *failure = u"%1 failed (%2): %3"_qs.arg(
                program, process.errorString(), QString::fromUtf8(process.readAllStandardError()));
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
    if (!run(u"mdb-export"_qs,
             {u"-Q"_qs, u"-d"_qs, FieldSeparator, u"-R"_qs, RowSeparator, u"-0"_qs, NullMarker,
              u"-T"_qs, u"%Y-%m-%d %H:%M:%S"_qs, file, table},
             output, failure))
        return std::nullopt;

    QStringList lines = QString::fromUtf8(output).split(RowSeparator);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        if (failure)
            *failure = u"mdb-export printed no header"_qs;
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
    QStringList arguments{u"-1"_qs, file};
    if (!objectType.isEmpty())
        arguments << u"-t"_qs << objectType;
    QByteArray output;
    if (!run(u"mdb-tables"_qs, arguments, output, nullptr))
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
    if (!run(u"node"_qs, arguments, output, failure))
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
                *failure = u"mdb-reader output line %1: %2"_qs.arg(i + 1).arg(error.errorString());
            return std::nullopt;
        }
        if (i == 0) {
            const QJsonObject head = document.object();
            read.tableNames = stringList(head.value(u"tables").toArray());
            read.columnNames = stringList(head.value(u"columns").toArray(), u"name"_qs);
            read.columnTypes = stringList(head.value(u"columns").toArray(), u"type"_qs);
            read.rowCount = head.value(u"rowCount").toInteger(-1);
        } else {
            read.rows.append(document.array());
        }
    }
    return read;
}

} // namespace hakobee::tests
