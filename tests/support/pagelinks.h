#pragma once

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QUrl>

namespace hakobee::test {

// What checkPage() found in one of the program's pages.
struct PageCheck
{
    QStringList problems; // empty when the page is sound
    int pictures = 0;     // <img> elements, each a picture that decodes
};

inline QString readUtf8(const QString& path, QStringList& problems)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems.append(path + u": cannot be read"_qs);
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    if (utf8.hasError())
        problems.append(path + u": not UTF-8"_qs);
    return text;
}

// A page the program ships, opened in a browser with no network: Japanese
// UTF-8 HTML without scripts, every picture with a text alternative, and
// every link, style sheet and picture a file beside it that exists (a link
// to a place in a page, to an id that page has; a picture, one that
// decodes). Nothing is fetched from elsewhere.
inline PageCheck checkPage(const QString& pagePath)
{
    PageCheck check;
    const QString html = readUtf8(pagePath, check.problems);
    if (html.isEmpty()) {
        check.problems.append(pagePath + u": empty"_qs);
        return check;
    }
    const auto lacks = [&](const QString& pattern, const QString& what) {
        if (!QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption)
                 .match(html)
                 .hasMatch())
            check.problems.append(pagePath + u": "_qs + what);
    };
    lacks(u"<html[^>]*\\blang=\"ja\""_qs, u"no <html lang=\"ja\">"_qs);
    lacks(u"<meta charset=\"utf-8\">"_qs, u"no <meta charset=\"utf-8\">"_qs);
    if (html.contains(QRegularExpression(u"<script|\\son[a-z]+\\s*=|javascript:"_qs,
                                         QRegularExpression::CaseInsensitiveOption)))
        check.problems.append(pagePath + u": has a script"_qs);

    // A tag runs to the first ">" outside a quoted attribute value.
    static const QRegularExpression image(u"<img\\b(?:[^>\"]|\"[^\"]*\")*>"_qs);
    for (const QRegularExpressionMatch& match : image.globalMatch(html)) {
        if (!match.captured().contains(QRegularExpression(u"\\balt=\"[^\"]+\""_qs)))
            check.problems.append(pagePath + u": picture without alt: "_qs + match.captured());
    }

    const QUrl page = QUrl::fromLocalFile(pagePath);
    static const QRegularExpression reference(
        u"<(\\w+)\\b(?:[^>\"]|\"[^\"]*\")*?\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""_qs);
    for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
        const QString element = match.captured(1).toLower();
        const QUrl target(match.captured(2));
        const QString where = pagePath + u": "_qs + match.captured(2);
        if (!target.isRelative() || match.captured(2).startsWith(u"//"_qs)) {
            check.problems.append(where + u" is not a file beside the page"_qs);
            continue;
        }
        const QUrl resolved = page.resolved(target);
        const QString file = resolved.toLocalFile();
        if (!QFileInfo(file).isFile()) {
            check.problems.append(where + u" does not exist"_qs);
            continue;
        }
        if (resolved.hasFragment()) {
            QStringList ignored;
            const QString id = u"id=\"%1\""_qs.arg(resolved.fragment());
            if (!readUtf8(file, ignored).contains(id))
                check.problems.append(where + u" names no place in its page"_qs);
        }
        if (element == u"img"_qs) {
            if (QImage(file).isNull())
                check.problems.append(where + u" is not a picture"_qs);
            else
                ++check.pictures;
        }
        if (file.endsWith(u".css"_qs) &&
            readUtf8(file, check.problems).contains(QRegularExpression(u"url\\(|@import"_qs)))
            check.problems.append(where + u" fetches more"_qs);
    }
    return check;
}

} // namespace hakobee::test
