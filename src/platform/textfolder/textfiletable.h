#pragma once

#include "platform/tablesource/tablesource.h"
#include "platform/textfolder/textdecoding.h"

#include <QString>
#include <QStringList>

namespace hakobee {

// A text file as a table whose rows are split as a query steps over them
// (textrows.h); every value is a text, an empty field an empty text. Only
// the first row is read here. Throws hakobee::Error naming the file when
// it cannot be read or its first row holds no usable column names; a fault
// further on is found, naming its line, by the scan that reaches it.
class TextFileTable final : public TableSource
{
public:
    TextFileTable(const QString& path, TextEncoding folderEncoding);

    QStringList columnNames() const override { return columns_; }
    QString columnType() const override { return u"TEXT"_qs; }
    qint64 rowCountHint() const override { return rowCountHint_; }
    std::unique_ptr<TableRows> openRows() const override;

private:
    QString path_;
    TextEncoding encoding_;
    QChar separator_;
    QStringList columns_;
    qint64 rowCountHint_ = 0;
};

} // namespace hakobee
