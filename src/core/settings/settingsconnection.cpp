#include "core/settings/settingsconnection.h"

#include "core/error.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace hakobee {

namespace {

// A one-table query: the wanted columns (empty for "*") and the file name.
struct SettingsQuery
{
    QStringList columns;
    QString fileName;
};

QString unquoteName(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 && ((name.front() == u'[' && name.back() == u']') ||
                             (name.front() == u'`' && name.back() == u'`') ||
                             (name.front() == u'"' && name.back() == u'"')))
        name = name.mid(1, name.size() - 2);
    return name;
}

SettingsQuery parseQuery(const QString& query)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+(\S+|\[[^\]]+\])\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(query);
    if (!match.hasMatch())
        throw Error(u"設定ファイルへの問い合わせ「%1」は読み取れない形です。"_qs.arg(query));

    SettingsQuery parsed;
    // The text driver also accepts "nimbeconfig2#txt" for the file name.
    parsed.fileName = unquoteName(match.captured(2)).replace(u'#', u'.');
    if (parsed.fileName.contains(u'/') || parsed.fileName.contains(u'\\') ||
        parsed.fileName.startsWith(u'.'))
        throw Error(u"設定フォルダーの外のファイル %1 は読めません。"_qs.arg(parsed.fileName));
    const QString columns = match.captured(1).trimmed();
    if (columns != u"*") {
        for (const QString& column : columns.split(u','))
            parsed.columns.append(unquoteName(column));
    }
    return parsed;
}

// The first data row of a settings file, read as a one-row table.
class SettingsRecordset : public Recordset
{
public:
    SettingsRecordset(QStringList names, std::optional<QList<FieldValue>> row, QString tableName)
        : names_(std::move(names)), row_(std::move(row)), tableName_(std::move(tableName))
    {}

    bool eof() const override { return !row_ || position_ > 0; }
    void moveNext() override
    {
        if (eof())
            throw Error(u"%1 の最後のレコードより先には進めません。"_qs.arg(tableName_));
        ++position_;
    }
    void moveFirst() override { position_ = 0; }
    void moveLast() override
    {
        if (!row_)
            throw Error(u"%1 にレコードがありません。"_qs.arg(tableName_));
        position_ = 0;
    }
    qint64 recordCount() const override { return row_ ? 1 : 0; }

    int fieldCount() const override { return int(names_.size()); }
    QString fieldName(int position) const override
    {
        checkPosition(position);
        return names_[position];
    }
    FieldValue field(int position) const override
    {
        checkPosition(position);
        if (eof())
            throw Error(u"%1 の現在のレコードがありません。"_qs.arg(tableName_));
        return (*row_)[position];
    }
    FieldValue field(const QString& name) const override
    {
        for (int i = 0; i < names_.size(); ++i) {
            if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
                return field(i);
        }
        throw Error(u"列 %1 は %2 にありません。"_qs.arg(name, tableName_));
    }

private:
    void checkPosition(int position) const
    {
        if (position < 0 || position >= names_.size())
            throw Error(u"%1 に %2 番目の列はありません。"_qs.arg(tableName_).arg(position + 1));
    }

    QStringList names_;
    std::optional<QList<FieldValue>> row_;
    QString tableName_;
    int position_ = 0;
};

} // namespace

QString settingsConnectionString()
{
    return u"Provider=MSDASQL.1;Extended Properties=\"DRIVER={Microsoft Text Driver "
           u"(*.txt; *.csv)};DBQ=C:\\qvx_ini\\\""_qs;
}

bool isSettingsConnectionString(const QString& connectionString)
{
    return connectionString.trimmed().compare(settingsConnectionString(), Qt::CaseInsensitive) == 0;
}

std::unique_ptr<Recordset> SettingsTextConnection::openRecordset(const QString& query, CursorKind)
{
    const SettingsQuery parsed = parseQuery(query);
    const QString filePath = folder_.filePath(parsed.fileName);
    const QString shownName = QDir::toNativeSeparators(filePath);
    if (!QFileInfo(filePath).isFile())
        throw Error(u"設定ファイル %1 が見つかりません。"_qs.arg(shownName));
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"設定ファイル %1 を開けません。%2"_qs.arg(shownName, file.errorString()));
    // The header and the data row; nothing after the data row's line end is decoded.
    const QByteArray rowBytes = leadingSettingsRows(file.readAll(), 2);
    const QList<QStringList> lines =
        splitSettingsLines(decodeSettingsText(rowBytes, shownName), shownName);
    if (lines.isEmpty())
        throw Error(u"設定ファイル %1 に見出し行がありません。"_qs.arg(shownName));

    const QStringList& header = lines[0];
    std::optional<QList<FieldValue>> record;
    if (lines.size() > 1) {
        record.emplace();
        for (qsizetype i = 0; i < header.size(); ++i) {
            const QString text = i < lines[1].size() ? lines[1][i] : QString();
            record->append(text.isEmpty() ? FieldValue() : FieldValue(text));
        }
    }
    if (parsed.columns.isEmpty())
        return std::make_unique<SettingsRecordset>(header, std::move(record), parsed.fileName);

    // Only the named columns, in the order the query names them.
    QStringList names;
    std::optional<QList<FieldValue>> selected;
    if (record)
        selected.emplace();
    for (const QString& column : parsed.columns) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < header.size() && found < 0; ++i) {
            if (header[i].compare(column, Qt::CaseInsensitive) == 0)
                found = i;
        }
        if (found < 0)
            throw Error(u"列 %1 は設定ファイル %2 にありません。"_qs.arg(column, shownName));
        names.append(header[found]);
        if (record)
            selected->append((*record)[found]);
    }
    return std::make_unique<SettingsRecordset>(names, std::move(selected), parsed.fileName);
}

} // namespace hakobee
