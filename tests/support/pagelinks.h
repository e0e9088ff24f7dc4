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
        problems.append(path + QStringLiteral(": cannot be read"));
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    if (utf8.hasError())
        problems.append(path + QStringLiteral(": not UTF-8"));
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
        check.problems.append(pagePath + QStringLiteral(": empty"));
        return check;
    }
    const auto lacks = [&](const QString& pattern, const QString& what) {
        if (!QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption)
                 .match(html)
                 .hasMatch())
            check.problems.append(pagePath + QStringLiteral(": ") + what);
    };
    lacks(QStringLiteral("<html[^>]*\\blang=\"ja\""), QStringLiteral("no <html lang=\"ja\">"));
    lacks(QStringLiteral("<meta charset=\"utf-8\">"),
          QStringLiteral("no <meta charset=\"utf-8\">"));
    if (html.contains(QRegularExpression(QStringLiteral("<script|\\son[a-z]+\\s*=|javascript:"),
                                         QRegularExpression::CaseInsensitiveOption)))
        check.problems.append(pagePath + QStringLiteral(": has a script"));

    // A tag runs to the first ">" outside a quoted attribute value.
    static const QRegularExpression image(QStringLiteral("<img\\b(?:[^>\"]|\"[^\"]*\")*>"));
    for (const QRegularExpressionMatch& match : image.globalMatch(html)) {
        if (!match.captured().contains(QRegularExpression(QStringLiteral("\\balt=\"[^\"]+\""))))
            check.problems.append(pagePath + QStringLiteral(": picture without alt: ") +
                                  match.captured());
    }

    const QUrl page = QUrl::fromLocalFile(pagePath);
    static const QRegularExpression reference(
        QStringLiteral("<(\\w+)\\b(?:[^>\"]|\"[^\"]*\")*?\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
        const QString element = match.captured(1).toLower();
        const QUrl target(match.captured(2));
        const QString where = pagePath + QStringLiteral(": ") + match.captured(2);
        if (!target.isRelative() || match.captured(2).startsWith(QStringLiteral("//"))) {
            check.problems.append(where + QStringLiteral(" is not a file beside the page"));
            continue;
        }
        const QUrl resolved = page.resolved(target);
        const QString file = resolved.toLocalFile();
        if (!QFileInfo(file).isFile()) {
            check.problems.append(where + QStringLiteral(" does not exist"));
            continue;
        }
        if (resolved.hasFragment()) {
            QStringList ignored;
            const QString id = QStringLiteral("id=\"%1\"").arg(resolved.fragment());
            if (!readUtf8(file, ignored).contains(id))
                check.problems.append(where + QStringLiteral(" names no place in its page"));
        }
        if (element == QStringLiteral("img")) {
            if (QImage(file).isNull())
                check.problems.append(where + QStringLiteral(" is not a picture"));
            else
                ++check.pictures;
        }
        if (file.endsWith(QStringLiteral(".css")) &&
            readUtf8(file, check.problems)
                .contains(QRegularExpression(QStringLiteral("url\\(|@import"))))
            check.problems.append(where + QStringLiteral(" fetches more"));
    }
    return check;
}

} // namespace hakobee::test
