// The named read of the settings files: a query on the settings connection
// (SettingsTextConnection, as readSettingsRecord runs it) over any file
// content. The first input byte picks one of the program's own queries, or
// takes the query from the first input line; the rest is the file. Every
// input ends in a record set that can be walked, or in hakobee::Error.

#include "fuzztarget.h"

#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/settingsconnection.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsrecord.h"

namespace {

using namespace hakobee;

void walk(Recordset& records)
{
    const int fields = records.fieldCount();
    if (records.recordCount() > 0) {
        records.moveLast();
        records.moveFirst();
    }
    for (; !records.eof(); records.moveNext()) {
        for (int i = 0; i < fields; ++i) {
            const FieldValue value = records.field(i);
            if (value && value->isEmpty())
                fuzz::broken("an empty value is null");
            // Names may repeat; the first column of the name answers.
            records.field(records.fieldName(i));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString programQueries[] = {
        u"Select * From nimbeconfig4.txt"_qs,
        u"Select * From nimbeconfig2.txt"_qs,
        u"Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt"_qs,
        u"Select * From nimbeconfig5.txt"_qs,
    };
    if (size == 0)
        return 0;
    QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    QString query;
    if (data[0] < std::size(programQueries)) {
        query = programQueries[data[0]];
    } else {
        const qsizetype lineEnd = bytes.indexOf('\n');
        query = QString::fromUtf8(bytes.left(lineEnd < 0 ? 0 : lineEnd));
        bytes = lineEnd < 0 ? bytes : bytes.mid(lineEnd + 1);
    }

    static const QDir root = [] {
        const QDir scratch = fuzz::scratchFolder();
        scratch.mkpath(u"qvx_ini"_qs);
        return scratch;
    }();
    static const SettingsFolder folder(root.path());
    for (const char* name : {"nimbeconfig2.txt", "nimbeconfig4.txt", "nimbeconfig5.txt"})
        fuzz::writeFile(folder.filePath(QString::fromLatin1(name)), bytes);

    StandardDatabaseProvider databases(folder);
    try {
        const std::unique_ptr<Connection> connection = databases.open(settingsConnectionString());
        const std::unique_ptr<Recordset> records =
            connection->openRecordset(query, CursorKind::SettingsRead);
        walk(*records);
    } catch (const Error& error) {
        if (error.description().isEmpty())
            fuzz::broken("a refusal says why");
    }
    try {
        const SettingsRecord record = readSettingsRecord(databases, query);
        for (const QString& name : record.columnNames())
            record.value(name);
    } catch (const Error& error) {
        if (error.description().isEmpty())
            fuzz::broken("a refusal says why");
    }
    return 0;
}
