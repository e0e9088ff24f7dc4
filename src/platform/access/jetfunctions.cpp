#include "platform/access/jetfunctions.h"

#include "platform/access/accesstextforms.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace hakobee {

namespace {

bool isNull(sqlite3_value* value)
{
    return sqlite3_value_type(value) == SQLITE_NULL;
}

// The text Access shows for a value (numbers as accesstextforms.h gives them).
QString textOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return accesstext::doubleValue(sqlite3_value_double(value));
    case SQLITE_BLOB:
        return QString::fromLatin1(QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                                              sqlite3_value_bytes(value))
                                       .toHex()
                                       .toUpper());
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                 sqlite3_value_bytes(value));
    }
}

// A number from a number, or from a text that holds one (blanks around it
// and thousands separators allowed, as CDbl("1,234") takes them).
std::optional<double> numberOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return double(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_TEXT: {
        QString text = textOf(value).trimmed();
        text.remove(QLatin1Char(','));
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (ok)
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void resultText(sqlite3_context* context, const QString& text)
{
    sqlite3_result_text16(context, text.utf16(), int(text.size() * sizeof(char16_t)),
                          SQLITE_TRANSIENT);
}

void resultNumber(sqlite3_context* context, double number)
{
    if (std::trunc(number) == number && std::fabs(number) < 9.0e15)
        sqlite3_result_int64(context, qint64(number));
    else
        sqlite3_result_double(context, number);
}

void fail(sqlite3_context* context, const QString& message)
{
    sqlite3_result_error(context, message.toUtf8().constData(), -1);
}

QString notANumber(const char* function, sqlite3_value* value)
{
    return u"%1: 「%2」は数値ではありません"_qs.arg(QLatin1String(function), textOf(value));
}

// A count or position argument (Left's n, Mid's start), rounded as Access
// rounds it; nullopt after reporting why it cannot be one.
std::optional<qint64> countOf(sqlite3_context* context, const char* function, sqlite3_value* value,
                              qint64 lowest)
{
    const std::optional<double> number = numberOf(value);
    if (!number) {
        fail(context, notANumber(function, value));
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number);
    if (rounded < double(lowest) || rounded > 2147483647.0) {
        fail(context, u"%1: %2 は使えない値です"_qs.arg(QLatin1String(function), textOf(value)));
        return std::nullopt;
    }
    return qint64(rounded);
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i]))
            return true;
    }
    return false;
}

void jetconcat(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    QString text;
    bool allNull = true;
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i]))
            continue;
        allNull = false;
        text += textOf(argv[i]);
    }
    if (allNull)
        sqlite3_result_null(context);
    else
        resultText(context, text);
}

void nz(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (!isNull(argv[0]))
        sqlite3_result_value(context, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(context, argv[1]);
    else
        resultText(context, QString());
}

void left(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (const auto count = countOf(context, "Left", argv[1], 0))
        resultText(context, textOf(argv[0]).left(qsizetype(*count)));
}

void right(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (const auto count = countOf(context, "Right", argv[1], 0))
        resultText(context, textOf(argv[0]).right(qsizetype(*count)));
}

void mid(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const auto start = countOf(context, "Mid", argv[1], 1);
    if (!start)
        return;
    std::optional<qint64> count = qint64(-1);
    if (argc > 2 && !(count = countOf(context, "Mid", argv[2], 0)))
        return;
    resultText(context, textOf(argv[0]).mid(qsizetype(*start - 1), qsizetype(*count)));
}

void len(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    sqlite3_result_int64(context, textOf(argv[0]).size());
}

void ucase(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    resultText(context, textOf(argv[0]).toUpper());
}

void lcase(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    resultText(context, textOf(argv[0]).toLower());
}

void cstr(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    resultText(context, textOf(argv[0]));
}

void clng(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return fail(context, notANumber("CLng", argv[0]));
    // Halves go to the even neighbour, as CLng rounds.
    const double rounded = std::nearbyint(*number);
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return fail(context, u"CLng: %1 は長整数型の範囲を超えています"_qs.arg(textOf(argv[0])));
    sqlite3_result_int64(context, qint64(rounded));
}

void cdbl(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return fail(context, notANumber("CDbl", argv[0]));
    sqlite3_result_double(context, *number);
}

// Val: the number the text starts with, blanks, tabs and line feeds
// anywhere ignored; &H and &O start hexadecimal and octal numbers.
void val(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    QString text = textOf(argv[0]);
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) ||
        text.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        const int base = text.at(1).toUpper() == QLatin1Char('H') ? 16 : 8;
        qsizetype end = 2;
        while (end < text.size() &&
               u"0123456789ABCDEF"_qs.left(base).contains(text.at(end).toUpper()))
            ++end;
        bool ok = false;
        const qint64 number = text.mid(2, end - 2).toLongLong(&ok, base);
        return sqlite3_result_int64(context, ok ? number : 0);
    }
    qsizetype end = 0;
    auto digits = [&] {
        const qsizetype from = end;
        while (end < text.size() && text.at(end).unicode() >= '0' && text.at(end).unicode() <= '9')
            ++end;
        return end > from;
    };
    if (end < text.size() && (text.at(end) == QLatin1Char('+') || text.at(end) == QLatin1Char('-')))
        ++end;
    bool any = digits();
    if (end < text.size() && text.at(end) == QLatin1Char('.')) {
        ++end;
        any = digits() || any;
    }
    if (any && end < text.size() && u"eEdD"_qs.contains(text.at(end))) {
        const qsizetype mark = end++;
        if (end < text.size() &&
            (text.at(end) == QLatin1Char('+') || text.at(end) == QLatin1Char('-')))
            ++end;
        if (!digits())
            end = mark;
    }
    QString number = text.left(end);
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    resultNumber(context, any ? number.toDouble() : 0.0);
}

// Adds one to a string of decimal digits.
QString incremented(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

// Format(x, "0"), "#,##0", "0.00", "#,##0.00", ...: rounded half away from
// zero on the value's 15 significant digits, as Access shows the number.
void format(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    const QString pattern = textOf(argv[1]);
    const bool grouped = pattern.startsWith(QLatin1String("#,##0"));
    const QString rest = pattern.mid(grouped ? 5 : 1);
    const bool known = (grouped || pattern.startsWith(QLatin1Char('0'))) &&
                       (rest.isEmpty() || (rest.startsWith(QLatin1Char('.')) && rest.size() > 1 &&
                                           rest.mid(1).count(QLatin1Char('0')) == rest.size() - 1));
    if (!known)
        return fail(context,
                    u"Format: 書式「%1」には対応していません"
                    u"(使える書式: \"0\", \"#,##0\", \"0.00\", \"#,##0.00\")"_qs.arg(pattern));
    const qsizetype decimals = rest.isEmpty() ? 0 : rest.size() - 1;
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultText(context, textOf(argv[0])); // a text that is no number stays as it is

    QString plain = accesstext::doubleValue(std::fabs(*number));
    if (plain.contains(QLatin1Char('E')) || !std::isfinite(*number)) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.*f", int(decimals), std::fabs(*number));
        plain = QString::fromLatin1(buffer);
    }
    QString whole = plain.section(QLatin1Char('.'), 0, 0);
    QString fraction = plain.section(QLatin1Char('.'), 1);
    if (fraction.size() > decimals) {
        const bool up = fraction.at(decimals) >= QLatin1Char('5');
        fraction.truncate(decimals);
        if (up) {
            QString digits = incremented(whole + fraction);
            whole = digits.left(digits.size() - decimals);
            fraction = digits.right(decimals);
        }
    }
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'));
    if (grouped) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, QLatin1Char(','));
    }
    QString text = whole + (decimals > 0 ? QLatin1Char('.') + fraction : QString());
    const bool zero =
        (whole + fraction).count(QLatin1Char('0')) + (whole + fraction).count(QLatin1Char(',')) ==
        (whole + fraction).size();
    if (*number < 0 && !zero)
        text.prepend(QLatin1Char('-'));
    resultText(context, text);
}

// One element of a Like pattern.
struct PatternElement
{
    enum Kind
    {
        AnyRun, // * or %
        AnyOne, // ? or _
        Digit,  // #
        Literal,
        Set, // [abc], [a-z], [!a-z]
    };
    Kind kind;
    QChar literal;
    QList<std::pair<QChar, QChar>> ranges;
    bool negated = false;

    bool matches(QChar c) const
    {
        switch (kind) {
        case AnyOne:
            return true;
        case Digit:
            return c.unicode() >= '0' && c.unicode() <= '9';
        case Literal:
            return c.toCaseFolded() == literal;
        case Set: {
            const QChar folded = c.toCaseFolded();
            bool inside = false;
            for (const auto& [from, to] : ranges)
                inside = inside || (folded >= from && folded <= to);
            return inside != negated;
        }
        default:
            return false;
        }
    }
};

std::vector<PatternElement> compilePattern(const QString& pattern, QChar escape)
{
    std::vector<PatternElement> elements;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (!escape.isNull() && c == escape && i + 1 < pattern.size()) {
            elements.push_back({PatternElement::Literal, pattern.at(++i).toCaseFolded(), {}});
        } else if (c == QLatin1Char('*') || c == QLatin1Char('%')) {
            if (elements.empty() || elements.back().kind != PatternElement::AnyRun)
                elements.push_back({PatternElement::AnyRun, {}, {}});
        } else if (c == QLatin1Char('?') || c == QLatin1Char('_')) {
            elements.push_back({PatternElement::AnyOne, {}, {}});
        } else if (c == QLatin1Char('#')) {
            elements.push_back({PatternElement::Digit, {}, {}});
        } else if (c == QLatin1Char('[') && pattern.indexOf(QLatin1Char(']'), i + 1) > i) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            QString inside = pattern.mid(i + 1, close - i - 1);
            PatternElement set{PatternElement::Set, {}, {}};
            if (inside.startsWith(QLatin1Char('!')) && inside.size() > 1) {
                set.negated = true;
                inside.remove(0, 1);
            }
            for (qsizetype k = 0; k < inside.size(); ++k) {
                const QChar from = inside.at(k).toCaseFolded();
                if (k + 2 < inside.size() && inside.at(k + 1) == QLatin1Char('-')) {
                    set.ranges.append({from, inside.at(k + 2).toCaseFolded()});
                    k += 2;
                } else {
                    set.ranges.append({from, from});
                }
            }
            elements.push_back(set);
            i = close;
        } else {
            elements.push_back({PatternElement::Literal, c.toCaseFolded(), {}});
        }
    }
    return elements;
}

bool likeMatches(const std::vector<PatternElement>& pattern, const QString& text)
{
    // Matching with backtracking to the last run wildcard only: linear in
    // practice, never exponential.
    std::size_t p = 0;
    qsizetype t = 0;
    std::size_t runAt = std::size_t(-1);
    qsizetype runText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p].kind == PatternElement::AnyRun) {
            runAt = p++;
            runText = t;
        } else if (p < pattern.size() && pattern[p].matches(text.at(t))) {
            ++p;
            ++t;
        } else if (runAt != std::size_t(-1)) {
            p = runAt + 1;
            t = ++runText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p].kind == PatternElement::AnyRun)
        ++p;
    return p == pattern.size();
}

// like(pattern, text[, escape]): what SQLite calls for "text LIKE pattern".
void like(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    QChar escape;
    if (argc > 2) {
        const QString escapeText = textOf(argv[2]);
        if (escapeText.size() != 1)
            return fail(context, u"Like: ESCAPE には 1 文字を指定してください"_qs);
        escape = escapeText.at(0);
    }
    sqlite3_result_int(context,
                       likeMatches(compilePattern(textOf(argv[0]), escape), textOf(argv[1])));
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

} // namespace

void registerJetFunctions(sqlite3* db)
{
    struct Entry
    {
        const char* name;
        int arguments;
        Function function;
    };
    const Entry entries[] = {
        {"jetconcat", -1, jetconcat},
        {"nz", 1, nz},
        {"nz", 2, nz},
        {"left", 2, left},
        {"right", 2, right},
        {"mid", 2, mid},
        {"mid", 3, mid},
        {"len", 1, len},
        {"ucase", 1, ucase},
        {"lcase", 1, lcase},
        {"cstr", 1, cstr},
        {"clng", 1, clng},
        {"cdbl", 1, cdbl},
        {"val", 1, val},
        {"format", 1, cstr},
        {"format", 2, format},
        {"like", 2, like},
        {"like", 3, like},
    };
    for (const Entry& entry : entries) {
        sqlite3_create_function(db, entry.name, entry.arguments,
                                SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                entry.function, nullptr, nullptr);
    }
}

} // namespace hakobee
