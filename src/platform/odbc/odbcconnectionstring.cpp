#include "platform/odbc/odbcconnectionstring.h"

namespace hakobee {

OdbcConnectionString::OdbcConnectionString(const QString& text) : text_(text.trimmed())
{
    qsizetype i = 0;
    const qsizetype size = text_.size();
    while (i < size) {
        const qsizetype equals = text_.indexOf(u'=', i);
        const qsizetype semicolon = text_.indexOf(u';', i);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A part without a value: skipped as the driver manager skips it.
            if (semicolon < 0)
                break;
            i = semicolon + 1;
            continue;
        }
        const QString keyword = text_.mid(i, equals - i).trimmed();
        qsizetype at = equals + 1;
        while (at < size && text_.at(at) == u' ')
            ++at;
        QString value;
        if (at < size && text_.at(at) == u'{') {
            // "}}" inside braces is one "}".
            ++at;
            while (at < size) {
                if (text_.at(at) == u'}') {
                    if (at + 1 < size && text_.at(at + 1) == u'}') {
                        value += u'}';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                value += text_.at(at++);
            }
            const qsizetype end = text_.indexOf(u';', at);
            i = end < 0 ? size : end + 1;
        } else {
            const qsizetype end = text_.indexOf(u';', at);
            value = text_.mid(at, (end < 0 ? size : end) - at).trimmed();
            i = end < 0 ? size : end + 1;
        }
        if (!keyword.isEmpty())
            pairs_.append({keyword, value});
    }
}

QString OdbcConnectionString::value(const QStringList& keywords) const
{
    for (const QString& keyword : keywords) {
        for (const auto& [given, value] : pairs_) {
            if (given.compare(keyword, Qt::CaseInsensitive) == 0)
                return value;
        }
    }
    return {};
}

bool OdbcConnectionString::has(const QString& keyword) const
{
    for (const auto& pair : pairs_) {
        if (pair.first.compare(keyword, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString OdbcConnectionString::withDefaults(const QList<QPair<QString, QString>>& pairs) const
{
    QString text = text_;
    for (const auto& [keyword, value] : pairs) {
        if (has(keyword))
            continue;
        if (!text.isEmpty() && !text.endsWith(u';'))
            text += u';';
        text += keyword + u'=' + value;
    }
    return text;
}

QString OdbcConnectionString::dataSourceName() const
{
    return value({u"DSN"_qs, u"FILEDSN"_qs});
}

QString OdbcConnectionString::driver() const
{
    return value({u"Driver"_qs});
}

QString OdbcConnectionString::server() const
{
    QString server = value(
        {u"Server"_qs, u"Servername"_qs, u"Host"_qs, u"Hostname"_qs, u"Address"_qs, u"Addr"_qs});
    const QString port = value({u"Port"_qs});
    if (!server.isEmpty() && !port.isEmpty())
        server += u':' + port;
    return server;
}

QString OdbcConnectionString::database() const
{
    return value({u"Database"_qs, u"DB"_qs, u"Dbname"_qs, u"Initial Catalog"_qs});
}

} // namespace hakobee
