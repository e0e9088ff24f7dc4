#include "platform/access/querytext.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

#include <vector>

namespace hakobee {

namespace {

constexpr QChar fullWidthBlank(0x3000);

// The character that ends a quoted part opened by `open`, or a null QChar.
QChar closingQuote(QChar open)
{
    switch (open.unicode()) {
    case '\'':
    case '"':
    case '`':
        return open;
    case '[':
        return QLatin1Char(']');
    default:
        return QChar();
    }
}

} // namespace

QString withFullWidthBlanksAsBlanks(const QString& query)
{
    QString result = query;
    qsizetype i = 0;
    const qsizetype n = result.size();
    while (i < n) {
        const QChar c = result.at(i);
        if (const QChar close = closingQuote(c); !close.isNull()) {
            // Skip to the closing quote; a doubled quote inside is part of the text.
            ++i;
            while (i < n) {
                if (result.at(i) == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && result.at(i + 1) == close) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && result.at(i + 1) == QLatin1Char('-')) {
            while (i < n && result.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && result.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = result.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else {
            if (c == fullWidthBlank)
                result[i] = QLatin1Char(' ');
            ++i;
        }
    }
    return result;
}

namespace {

// Jet SQL, token by token. Texts are kept as written except where the
// SQLite dialect differs (see jetQueryForSqlite).
struct Token
{
    enum Kind
    {
        Space,
        Comment,
        Word, // a name or keyword
        Number,
        Text,  // a quoted text, 'text'
        Name,  // [name] or `name`
        Date,  // #date#, already turned into its number
        Open,  // (
        Close, // )
        Comma,
        Symbol, // operators and anything else
    };
    Kind kind;
    QString text;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') ||
           (c.unicode() >= 0x80 && !c.isSpace());
}

// Days since 1899/12/30, the time of day the fraction, as Access stores a
// date; what Date/Time columns hold here.
double accessDays(const QDate& date, const QTime& time)
{
    static const QDate epoch(1899, 12, 30);
    const qint64 days = epoch.daysTo(date);
    const double timeOfDay = double(time.msecsSinceStartOfDay()) / (24.0 * 60 * 60 * 1000);
    return days >= 0 ? double(days) + timeOfDay : double(days) - timeOfDay;
}

// The number for the inside of an Access date literal (#...#): a date as
// yyyy/mm/dd, yyyy-mm-dd or mm/dd/yyyy, a time as h:mm[:ss] [AM|PM], or both.
// Empty when the text is no date.
QString dateLiteralNumber(const QString& inside)
{
    static const QRegularExpression pattern(
        u"^\\s*(?:(\\d{4})[/-](\\d{1,2})[/-](\\d{1,2})|(\\d{1,2})[/-](\\d{1,2})[/-]("
        u"\\d{4}))?\\s*(?:(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?)?\\s*$"_qs);
    const QRegularExpressionMatch match = pattern.match(inside);
    if (!match.hasMatch() || inside.trimmed().isEmpty())
        return {};
    QDate date(1899, 12, 30);
    if (match.hasCaptured(1))
        date =
            QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    else if (match.hasCaptured(4))
        date =
            QDate(match.captured(6).toInt(), match.captured(4).toInt(), match.captured(5).toInt());
    QTime time(0, 0);
    if (match.hasCaptured(7)) {
        int hour = match.captured(7).toInt();
        const QString half = match.captured(10).toUpper();
        if (!half.isEmpty()) {
            if (hour < 1 || hour > 12)
                return {};
            hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
        }
        time = QTime(hour, match.captured(8).toInt(), match.captured(9).toInt());
    }
    if (!date.isValid() || !time.isValid())
        return {};
    const double days = accessDays(date, time);
    if (time == QTime(0, 0))
        return QString::number(qint64(days));
    return QString::number(days, 'g', 17);
}

std::vector<Token> tokenize(const QString& query)
{
    std::vector<Token> tokens;
    const qsizetype n = query.size();
    qsizetype i = 0;
    auto add = [&](Token::Kind kind, qsizetype from, qsizetype to) {
        tokens.push_back({kind, query.mid(from, to - from)});
    };
    while (i < n) {
        const QChar c = query.at(i);
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && query.at(i).isSpace())
                ++i;
            QString blanks = query.mid(start, i - start);
            blanks.replace(fullWidthBlank, QLatin1Char(' '));
            tokens.push_back({Token::Space, blanks});
        } else if (c == QLatin1Char('-') && i + 1 < n && query.at(i + 1) == QLatin1Char('-')) {
            while (i < n && query.at(i) != QLatin1Char('\n'))
                ++i;
            add(Token::Comment, start, i);
        } else if (c == QLatin1Char('/') && i + 1 < n && query.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = query.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            add(Token::Comment, start, i);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A quoted text; a doubled quote inside is the quote itself.
            QString text;
            ++i;
            bool closed = false;
            while (i < n) {
                if (query.at(i) == c) {
                    if (i + 1 < n && query.at(i + 1) == c) {
                        text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                text += query.at(i++);
            }
            if (!closed) {
                add(Token::Symbol, start, i); // left for SQLite to report
            } else {
                text.replace(QLatin1Char('\''), QLatin1String("''"));
                tokens.push_back({Token::Text, QLatin1Char('\'') + text + QLatin1Char('\'')});
            }
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = closingQuote(c);
            const qsizetype end = query.indexOf(close, i + 1);
            i = end < 0 ? n : end + 1;
            add(Token::Name, start, i);
        } else if (c == QLatin1Char('#')) {
            const qsizetype end = query.indexOf(QLatin1Char('#'), i + 1);
            const QString number =
                end < 0 ? QString() : dateLiteralNumber(query.mid(i + 1, end - i - 1));
            if (number.isEmpty()) {
                ++i;
                add(Token::Symbol, start, i);
            } else {
                i = end + 1;
                tokens.push_back({Token::Date, number});
            }
        } else if (c.isDigit() ||
                   (c == QLatin1Char('.') && i + 1 < n && query.at(i + 1).isDigit())) {
            while (i < n && (query.at(i).isDigit() || query.at(i) == QLatin1Char('.')))
                ++i;
            if (i < n && (query.at(i) == QLatin1Char('e') || query.at(i) == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (query.at(j) == QLatin1Char('+') || query.at(j) == QLatin1Char('-')))
                    ++j;
                if (j < n && query.at(j).isDigit()) {
                    i = j;
                    while (i < n && query.at(i).isDigit())
                        ++i;
                }
            }
            while (i < n && isWordChar(query.at(i)))
                ++i; // "1abc": one token, for SQLite to judge
            add(Token::Number, start, i);
        } else if (isWordChar(c)) {
            while (i < n && isWordChar(query.at(i)))
                ++i;
            add(Token::Word, start, i);
        } else if (c == QLatin1Char('(')) {
            add(Token::Open, start, ++i);
        } else if (c == QLatin1Char(')')) {
            add(Token::Close, start, ++i);
        } else if (c == QLatin1Char(',')) {
            add(Token::Comma, start, ++i);
        } else {
            static const QStringList pairs{u"<="_qs, u">="_qs, u"<>"_qs,
                                           u"!="_qs, u"=="_qs, u"||"_qs};
            const QString two = query.mid(i, 2);
            i += pairs.contains(two) ? 2 : 1;
            add(Token::Symbol, start, i);
        }
    }
    return tokens;
}

bool isDot(const Token& token)
{
    return token.kind == Token::Symbol && token.text == QLatin1String(".");
}

// Word . Word spelling one of the names becomes that name in brackets; not
// after a dot, where the words are the later parts of a longer dotted name.
void joinDottedNames(std::vector<Token>& tokens, const QStringList& names)
{
    if (names.isEmpty())
        return;
    std::vector<Token> joined;
    joined.reserve(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i + 2 < tokens.size() && tokens[i].kind == Token::Word && isDot(tokens[i + 1]) &&
            tokens[i + 2].kind == Token::Word && (joined.empty() || !isDot(joined.back()))) {
            const QString name = tokens[i].text + QLatin1Char('.') + tokens[i + 2].text;
            if (names.contains(name, Qt::CaseInsensitive)) {
                joined.push_back({Token::Name, QLatin1Char('[') + name + QLatin1Char(']')});
                i += 2;
                continue;
            }
        }
        joined.push_back(tokens[i]);
    }
    tokens = std::move(joined);
}

bool isWord(const Token& token, const char* word)
{
    return token.kind == Token::Word &&
           token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isBlank(const Token& token)
{
    return token.kind == Token::Space || token.kind == Token::Comment;
}

// The next token after i that is not a blank or comment; tokens.size() if none.
std::size_t nextSignificant(const std::vector<Token>& tokens, std::size_t i)
{
    ++i;
    while (i < tokens.size() && isBlank(tokens[i]))
        ++i;
    return i;
}

// SELECT [DISTINCT|DISTINCTROW|ALL] TOP n ...  ->  SELECT ... LIMIT n
void topToLimit(std::vector<Token>& tokens)
{
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens[i], "select"))
            continue;
        std::size_t top = nextSignificant(tokens, i);
        if (top < tokens.size() &&
            (isWord(tokens[top], "distinct") || isWord(tokens[top], "distinctrow") ||
             isWord(tokens[top], "all")))
            top = nextSignificant(tokens, top);
        if (top >= tokens.size() || !isWord(tokens[top], "top"))
            continue;
        const std::size_t count = nextSignificant(tokens, top);
        if (count >= tokens.size() || tokens[count].kind != Token::Number)
            continue;
        bool whole = false;
        const qint64 rows = tokens[count].text.toLongLong(&whole);
        const std::size_t after = nextSignificant(tokens, count);
        if (!whole || rows < 0 || (after < tokens.size() && isWord(tokens[after], "percent")))
            continue; // TOP n PERCENT and the like are left for SQLite to report
        const QString limit = tokens[count].text;
        // Where this SELECT ends: its closing parenthesis, or the end of the
        // statement before a final semicolon and comments.
        std::size_t end = after;
        int depth = 0;
        for (; end < tokens.size(); ++end) {
            if (tokens[end].kind == Token::Open)
                ++depth;
            else if (tokens[end].kind == Token::Close && depth-- == 0)
                break;
            else if (depth == 0 && tokens[end].kind == Token::Symbol &&
                     tokens[end].text == QLatin1String(";"))
                break;
        }
        while (end > after && isBlank(tokens[end - 1]))
            --end;
        tokens.erase(tokens.begin() + qsizetype(top), tokens.begin() + qsizetype(after));
        end -= after - top;
        tokens.insert(tokens.begin() + qsizetype(end), {{Token::Space, u" "_qs},
                                                        {Token::Word, u"LIMIT"_qs},
                                                        {Token::Space, u" "_qs},
                                                        {Token::Number, limit}});
    }
}

// Words that end an operand of &: keywords of clauses and of operators that
// bind more weakly than & in Access (comparisons, Like, Is, Not, And, Or, ...).
bool endsOperand(const Token& token, bool beforeParenthesis)
{
    static const QSet<QString> keywords{
        u"select"_qs,  u"distinct"_qs, u"distinctrow"_qs, u"all"_qs,       u"top"_qs,
        u"percent"_qs, u"from"_qs,     u"where"_qs,       u"group"_qs,     u"order"_qs,
        u"by"_qs,      u"having"_qs,   u"as"_qs,          u"and"_qs,       u"or"_qs,
        u"not"_qs,     u"xor"_qs,      u"eqv"_qs,         u"imp"_qs,       u"like"_qs,
        u"glob"_qs,    u"is"_qs,       u"between"_qs,     u"in"_qs,        u"on"_qs,
        u"join"_qs,    u"inner"_qs,    u"left"_qs,        u"right"_qs,     u"outer"_qs,
        u"cross"_qs,   u"union"_qs,    u"except"_qs,      u"intersect"_qs, u"asc"_qs,
        u"desc"_qs,    u"case"_qs,     u"when"_qs,        u"then"_qs,      u"else"_qs,
        u"end"_qs,     u"limit"_qs,    u"offset"_qs,      u"escape"_qs,    u"collate"_qs,
        u"exists"_qs,  u"with"_qs,     u"into"_qs,
    };
    switch (token.kind) {
    case Token::Word:
        // Left( and Right( are functions, LEFT JOIN a keyword.
        if (beforeParenthesis && (isWord(token, "left") || isWord(token, "right")))
            return false;
        return keywords.contains(token.text.toLower());
    case Token::Comma:
        return true;
    case Token::Symbol: {
        static const QSet<QString> operandSymbols{u"+"_qs, u"-"_qs, u"*"_qs,  u"/"_qs, u"\\"_qs,
                                                  u"^"_qs, u"."_qs, u"||"_qs, u"%"_qs, u"&"_qs};
        return !operandSymbols.contains(token.text);
    }
    default:
        return false;
    }
}

class ConcatenationRewriter
{
public:
    explicit ConcatenationRewriter(const std::vector<Token>& tokens) : tokens_(tokens)
    {
        // Matching parentheses; one without a partner is left as it is.
        partner_.assign(tokens_.size(), -1);
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (tokens_[i].kind == Token::Open) {
                open.push_back(i);
            } else if (tokens_[i].kind == Token::Close && !open.empty()) {
                partner_[open.back()] = qsizetype(i);
                partner_[i] = qsizetype(open.back());
                open.pop_back();
            }
        }
    }

    QString text() const { return level(0, tokens_.size()); }

private:
    struct Unit
    {
        QString text;
        bool blank = false;
        bool ampersand = false;
        bool operand = false; // may be part of an operand of &
        bool comment = false;
    };

    // The tokens [begin, end) of one level of parentheses.
    QString level(std::size_t begin, std::size_t end) const
    {
        std::vector<Unit> units;
        for (std::size_t i = begin; i < end; ++i) {
            const Token& token = tokens_[i];
            if (token.kind == Token::Open && partner_[i] >= 0 && std::size_t(partner_[i]) < end) {
                const auto close = std::size_t(partner_[i]);
                units.push_back({QLatin1Char('(') + level(i + 1, close) + QLatin1Char(')'), false,
                                 false, true});
                i = close;
                continue;
            }
            if (token.kind == Token::Open && partner_[i] < 0) {
                // An unclosed parenthesis holds the rest.
                units.push_back({QLatin1Char('(') + level(i + 1, end), false, false, true});
                break;
            }
            const std::size_t next = nextSignificant(tokens_, i);
            const bool beforeParenthesis = next < end && tokens_[next].kind == Token::Open;
            Unit unit{token.text, isBlank(token), false, false, token.kind == Token::Comment};
            // LEFT and RIGHT are join keywords to SQLite; quoted, they name
            // the functions.
            if (beforeParenthesis && (isWord(token, "left") || isWord(token, "right")))
                unit.text = QLatin1Char('"') + token.text + QLatin1Char('"');
            unit.ampersand = token.kind == Token::Symbol && token.text == QLatin1String("&");
            unit.operand = !unit.blank && !unit.ampersand && token.kind != Token::Close &&
                           !endsOperand(token, beforeParenthesis);
            units.push_back(unit);
        }

        QString out;
        std::size_t i = 0;
        while (i < units.size()) {
            if (!units[i].operand) {
                out += units[i++].text;
                continue;
            }
            // A run of operands, ampersands and blanks between them.
            std::size_t runEnd = i;
            std::size_t lastOperand = i;
            bool hasAmpersand = false;
            for (std::size_t j = i; j < units.size(); ++j) {
                if (units[j].operand) {
                    lastOperand = j;
                } else if (units[j].ampersand) {
                    hasAmpersand = true;
                } else if (!units[j].blank) {
                    break;
                }
                runEnd = j + 1;
            }
            runEnd = qMax(lastOperand + 1, i + 1);
            out += hasAmpersand ? concatenation(units, i, runEnd) : joined(units, i, runEnd);
            i = runEnd;
        }
        return out;
    }

    static QString joined(const std::vector<Unit>& units, std::size_t from, std::size_t to)
    {
        QString text;
        for (std::size_t k = from; k < to; ++k)
            text += units[k].text;
        return text;
    }

    static QString concatenation(const std::vector<Unit>& units, std::size_t from, std::size_t to)
    {
        // Comments between the operands are left out: a -- comment would
        // swallow the rest of the call.
        QStringList operands{QString()};
        for (std::size_t k = from; k < to; ++k) {
            if (units[k].ampersand)
                operands.append(QString());
            else if (units[k].comment)
                operands.back() += QLatin1Char(' ');
            else
                operands.back() += units[k].text;
        }
        for (QString& operand : operands) {
            operand = operand.trimmed();
            if (operand.isEmpty())
                return joined(units, from, to); // "& x": left for SQLite to report
        }
        return u"jetconcat("_qs + operands.join(u", "_qs) + QLatin1Char(')');
    }

    const std::vector<Token>& tokens_;
    std::vector<qsizetype> partner_;
};

} // namespace

QString jetQueryForSqlite(const QString& query, const QStringList& dottedNames)
{
    std::vector<Token> tokens = tokenize(query);
    joinDottedNames(tokens, dottedNames);
    topToLimit(tokens);
    return ConcatenationRewriter(tokens).text();
}

QString jetColumnName(const QString& sqliteName)
{
    static const QRegularExpression quotedFunction(u"\"(left|right)\"\\("_qs,
                                                   QRegularExpression::CaseInsensitiveOption);
    QString name = sqliteName;
    name.replace(quotedFunction, u"\\1("_qs);
    // jetconcat(a, b, c) -> a & b & c, commas inside quotes and inner
    // parentheses kept.
    const QString call = u"jetconcat("_qs;
    for (qsizetype at = name.lastIndexOf(call); at >= 0;
         at = at == 0 ? -1 : name.lastIndexOf(call, at - 1)) {
        QString inside;
        int depth = 0;
        QChar quote;
        qsizetype i = at + call.size();
        for (; i < name.size(); ++i) {
            const QChar c = name.at(i);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
                quote = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            } else if (c == QLatin1Char('(')) {
                ++depth;
            } else if (c == QLatin1Char(')')) {
                if (depth-- == 0)
                    break;
            } else if (c == QLatin1Char(',') && depth == 0) {
                inside += u" &"_qs;
                continue;
            }
            inside += c;
        }
        if (i >= name.size())
            break; // not a call this rewrite made
        name.replace(at, i + 1 - at, inside);
    }
    return name;
}

} // namespace hakobee
