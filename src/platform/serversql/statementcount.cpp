#include "platform/serversql/statementcount.h"

namespace hakobee {

namespace {

bool isIdentifierCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// The position after the quoted part that begins at `at`, or -1 when the
// text at `at` does not begin one. An unclosed quote runs to the end.
qsizetype pastQuoted(const QString& text, qsizetype at)
{
    const QChar c = text.at(at);
    const auto pastClosing = [&](const QString& closing, qsizetype from) {
        const qsizetype end = text.indexOf(closing, from);
        return end < 0 ? text.size() : end + closing.size();
    };
    if (c == u'\'' || c == u'"' || c == u'`') {
        // A doubled quote inside is the quote character itself.
        qsizetype i = at + 1;
        while (i < text.size()) {
            if (text.at(i) == c) {
                if (i + 1 < text.size() && text.at(i + 1) == c) {
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            ++i;
        }
        return text.size();
    }
    if (c == u'[')
        return pastClosing(u"]"_qs, at + 1);
    if (text.mid(at, 2) == u"--")
        return pastClosing(u"\n"_qs, at + 2);
    if (text.mid(at, 2) == u"/*")
        return pastClosing(u"*/"_qs, at + 2);
    // $tag$ ... $tag$, where the tag is empty or a name, and the $ does not
    // end a name or a parameter such as $1.
    if (c == u'$' && (at == 0 || !isIdentifierCharacter(text.at(at - 1)))) {
        qsizetype i = at + 1;
        while (i < text.size() && isIdentifierCharacter(text.at(i)) && !text.at(i).isDigit())
            ++i;
        if (i < text.size() && text.at(i) == u'$')
            return pastClosing(text.mid(at, i + 1 - at), i + 1);
    }
    return -1;
}

} // namespace

bool hasSeveralStatements(const QString& query)
{
    bool ended = false; // a semicolon has ended the first statement
    qsizetype i = 0;
    while (i < query.size()) {
        const qsizetype past = pastQuoted(query, i);
        const bool comment = past >= 0 && (query.mid(i, 2) == u"--" || query.mid(i, 2) == u"/*");
        if (past >= 0) {
            if (ended && !comment)
                return true;
            i = past;
            continue;
        }
        const QChar c = query.at(i);
        if (c == u';')
            ended = true;
        else if (ended && !c.isSpace())
            return true;
        ++i;
    }
    return false;
}

} // namespace hakobee
