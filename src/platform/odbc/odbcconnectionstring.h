#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace hakobee {

// An ODBC connection string as the operator wrote it: keyword=value pairs
// separated by semicolons ("DSN=shop;UID=labeler",
// "Driver={PostgreSQL Unicode};Server=db.example;Port=5432;Database=shop"),
// a value in braces when it holds a semicolon. Keywords in any letter case.
class OdbcConnectionString
{
public:
    explicit OdbcConnectionString(const QString& text);

    const QString& text() const { return text_; }
    // The value of the first of the keywords given, braces removed; empty
    // when none is.
    QString value(const QStringList& keywords) const;
    bool has(const QString& keyword) const;
    // The text with the pairs added whose keywords it does not give itself.
    QString withDefaults(const QList<QPair<QString, QString>>& pairs) const;

    QString dataSourceName() const;
    QString driver() const;
    QString server() const;
    QString database() const;

private:
    QString text_;
    QList<QPair<QString, QString>> pairs_;
};

} // namespace hakobee
