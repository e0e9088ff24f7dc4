#include "ui/querycommand.h"

#include "core/error.h"
#include "platform/access/accessdatabase.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace hakobee {

namespace {

QString csvField(const FieldValue& value)
{
    if (!value)
        return {};
    QString text = *value;
    const bool needsQuotes = text.isEmpty() || text.contains(QLatin1Char(',')) ||
                             text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')) ||
                             text.contains(QLatin1Char('\r')) || text.front().isSpace() ||
                             text.back().isSpace();
    if (!needsQuotes)
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

bool writeLine(const QStringList& fields)
{
    const QByteArray line = (fields.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
    return std::fwrite(line.constData(), 1, size_t(line.size()), stdout) == size_t(line.size());
}

void writeError(const QString& text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// One line per table and saved query: the name, a tab, what it is.
int writeSourceNames(const QString& database)
{
    try {
        for (const AccessSourceName& source : accessSourceNames(database)) {
            const QLatin1String kind(source.kind == AccessSourceName::Kind::Query    ? "query"
                                     : source.kind == AccessSourceName::Kind::Linked ? "linked"
                                                                                     : "table");
            const QByteArray line =
                (source.name + QLatin1Char('\t') + kind + QLatin1Char('\n')).toUtf8();
            if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) !=
                size_t(line.size()))
                return 1;
        }
    } catch (const Error& error) {
        std::fflush(stdout);
        writeError(error.description());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int runQueryCommand(int argc, char** argv)
{
    if (argc == 3 && (QByteArray(argv[2]) == "--help" || QByteArray(argv[2]) == "-h")) {
        const QByteArray help =
            u"使い方: hakobee query --db データベースファイル --sql SQL文 [--types]\n"
            u"        hakobee query --db データベースファイル --tables\n"
            u"\n"
            u"Access データベースファイルに SQL 文を実行し、結果を CSV で標準出力に書きます\n"
            u"（UTF-8、1 行目は列名、null は空の欄、空の文字列は \"\"）。\n"
            u"--types を付けると、結果の列ごとに列名と Access のデータ型を 1 行ずつ書きます。\n"
            u"--tables は SQL 文の代わりに、ファイルのテーブルと、テーブルのように使える\n"
            u"保存されたクエリ（選択クエリ、実行できるユニオンクエリ）を 1 行に 1 つ、\n"
            u"名前、タブ、table または query の形で書きます。\n"
            u"ファイルは読み取り専用で開き、画面は使いません。\n"
            u"\n"
            u"終了コード: 0 成功、1 クエリの失敗（説明は標準エラー出力に）、\n"
            u"            2 コマンドラインの誤り\n"_qs.toUtf8();
        std::fwrite(help.constData(), 1, size_t(help.size()), stdout);
        return 0;
    }
    QString database;
    QString sql;
    bool haveSql = false;
    bool types = false;
    bool tables = false;
    for (int i = 2; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--types")) {
            types = true;
        } else if (option == QLatin1String("--tables")) {
            tables = true;
        } else if ((option == QLatin1String("--db") || option == QLatin1String("--sql")) &&
                   i + 1 < argc) {
            const QString value = QString::fromLocal8Bit(argv[++i]);
            if (option == QLatin1String("--db")) {
                database = value;
            } else {
                sql = value;
                haveSql = true;
            }
        } else {
            database.clear();
            break;
        }
    }
    if (database.isEmpty() || haveSql == tables || (tables && types)) {
        writeError(
            u"使い方: hakobee query --db データベースファイル (--sql SQL文 [--types] | --tables)"_qs);
        return 2;
    }
    if (tables)
        return writeSourceNames(database);

    try {
        const auto connection = openAccessDatabase(database);
        const auto records = connection->openRecordset(sql, CursorKind::StaticRead);
        if (types) {
            for (int i = 0; i < records->fieldCount(); ++i) {
                if (!writeLine(
                        {csvField(records->fieldName(i)), csvField(accessColumnType(*records, i))}))
                    return 1;
            }
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        QStringList fields;
        for (int i = 0; i < records->fieldCount(); ++i)
            fields << csvField(records->fieldName(i));
        if (!writeLine(fields))
            return 1;
        for (; !records->eof(); records->moveNext()) {
            fields.clear();
            for (int i = 0; i < records->fieldCount(); ++i)
                fields << csvField(records->field(i));
            if (!writeLine(fields))
                return 1;
        }
    } catch (const Error& error) {
        std::fflush(stdout);
        writeError(error.description());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace hakobee
