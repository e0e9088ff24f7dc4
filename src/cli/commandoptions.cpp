#include "cli/commandoptions.h"

namespace hakobee {

CommandOptions& CommandOptions::withValue(const QString& name)
{
    valueOptions_.insert(name);
    return *this;
}

CommandOptions& CommandOptions::withSwitch(const QString& name)
{
    switches_.insert(name);
    return *this;
}

CommandOptions::Reading CommandOptions::wrong(const QString& problem)
{
    problem_ = problem;
    return Reading::Wrong;
}

CommandOptions::Reading CommandOptions::read(int argc, char** argv)
{
    QStringList words;
    for (int i = 2; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    if (words.size() == 1 && (words.first() == u"--help" || words.first() == u"-h"))
        return Reading::Help;

    for (qsizetype i = 0; i < words.size(); ++i) {
        QString name = words[i];
        if (switches_.contains(name)) {
            given_.insert(name);
            continue;
        }
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        const bool joined = name.startsWith(u"--") && equals > 0;
        if (joined) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        }
        if (!valueOptions_.contains(name))
            return wrong(u"知らないオプション「%1」です。"_qs.arg(name));
        if (!joined) {
            if (i + 1 == words.size())
                return wrong(u"%1 に値がありません。"_qs.arg(name));
            value = words[++i];
        }
        if (value.isEmpty())
            return wrong(u"%1 の値が空です。"_qs.arg(name));
        given_.insert(name);
        values_.insert(name, value);
    }
    return Reading::Read;
}

} // namespace hakobee
