// A label comes out the same on every machine. The test runs itself as a
// child process under the real process locales C.UTF-8, en_US.UTF-8,
// ja_JP.UTF-8 and de_DE.UTF-8 (a decimal comma), set through LC_ALL and LANG
// as a desktop session sets them, and compares what the child draws: every
// text, position, font size and style of a label, and the price printed for
// prices given as text and read from every kind of Access number column.
// The price is always Japanese yen: "¥1,280", "¥0", "-¥98".
//
// The locales other than C.UTF-8 come from scripts/locales-setup.sh (the
// CTest fixture "locales"), which compiles them into a folder for glibc's
// LOCPATH.

#include "core/datasource/database.h"
#include "core/error.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/render/labelrenderer.h"
#include "mdbwriter/mdbwriter.h"
#include "platform/access/accessdatabase.h"
#include "platform/desktop/fonts.h"
#include "support/recordingcanvas.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdio>

using namespace hakobee;
using test::RecordingCanvas;

namespace {

// Set in the child: the Access file to read prices from.
const char* const childVariable = "HAKOBEE_LABEL_LOCALE_CHILD";

class FixedPicture : public PrintPicture
{
public:
    QSizeF sizeMm(double) const override { return {38.4, 6.5}; }
    void paint(QPainter&, QPointF, double) const override {}
};

class SilentProgress : public LabelProgress
{
public:
    void showLabelProgress() override {}
    void setProgressSquares(int) override {}
    void closeLabelProgress() override {}
};

LabelRecord recordWithPrice(const QString& price)
{
    LabelRecord record;
    record.offsetXMm = u"1.5"_qs;
    record.offsetYMm = u"-2"_qs;
    record.fontAdjustmentPt = u"0.5"_qs;
    record.barcodeValue = u"4901234567894"_qs;
    record.itemName = u"ﾊﾟｯｸ入り緑茶 500ml"_qs;
    record.name = u"静岡県産"_qs;
    record.price = price;
    record.barcodeCaption = u"4901234567894"_qs;
    record.barcodePicture = std::make_shared<FixedPicture>();
    record.title1 = u"ハコビー商店"_qs;
    record.title2 = u"税込価格"_qs;
    record.baseFont = {japaneseFontFamily(), 9.0};
    return record;
}

QList<RecordingCanvas::Call> draw(const LabelRecord& record)
{
    RecordingCanvas canvas;
    SilentProgress progress;
    CancelRequest cancel;
    LabelRenderer renderer(canvas, progress, cancel);
    renderer.printLabel(record);
    return canvas.calls;
}

// The price text the label printed, or the error it failed with.
QString printedPrice(const QString& price)
{
    try {
        const auto calls = draw(recordWithPrice(price));
        return calls.size() > 4 ? calls[4].text : u"(no price drawn)"_qs;
    } catch (const Error& error) {
        return u"error: "_qs + error.description();
    }
}

// Prices given as text, as a text column or an operator holds them.
const QStringList priceTexts{u"1280"_qs, u"1,280"_qs, u"1280.0000"_qs, u"0"_qs,    u"-98"_qs,
                             u"0.5"_qs,  u"-0.5"_qs,  u"2.5"_qs,       u"-0.4"_qs, u"1234567"_qs,
                             u"1e3"_qs,  u" 398 "_qs, u"1,280.5"_qs,   u"１２"_qs};

// Access number columns of every kind, each holding these prices (row by row).
struct PriceColumn
{
    QString name;
    mdbwriter::ColumnType type;
    QList<mdbwriter::Value> values;
};

QList<PriceColumn> priceColumns()
{
    using mdbwriter::ColumnType;
    return {
        {u"kakaku"_qs,
         ColumnType::Currency,
         {qint64(1280'0000), qint64(0), qint64(-98'0000), qint64(1280'5000), qint64(12'3456'7890)}},
        {u"teika"_qs, ColumnType::Double, {1280.0, 0.0, -98.0, 1280.5, 0.1 + 0.2}},
        {u"tanka"_qs, ColumnType::Single, {1280.0, 0.0, -98.0, 1280.5, double(1.1f)}},
        {u"kosu"_qs,
         ColumnType::Long,
         {qint64(1280), qint64(0), qint64(-98), qint64(1234567), qint64(1)}},
        {u"juni"_qs,
         ColumnType::Decimal,
         {qint64(1280'0000), qint64(0), qint64(-98'0000), qint64(1280'5000), qint64(-5000)}},
        {u"moji"_qs, ColumnType::Text, {u"1280"_qs, u"0"_qs, u"-98"_qs, u"1,280.5"_qs, u"398"_qs}},
    };
}

void writePriceDatabase(const QString& path)
{
    QList<mdbwriter::Column> columns{{u"bar"_qs, mdbwriter::ColumnType::Text, 20}};
    const QList<PriceColumn> prices = priceColumns();
    for (const PriceColumn& column : prices)
        columns.append({column.name, column.type, 50, 18, 4});
    mdbwriter::Table table{u"Master"_qs, columns, 5, {}, {}, {}};
    table.rowAt = [prices](qint64 row, QList<mdbwriter::Value>& values) {
        values[0] = u"49012345678%1"_qs.arg(row);
        for (qsizetype i = 0; i < prices.size(); ++i)
            values[i + 1] = prices[i].values[row];
    };
    mdbwriter::writeDatabase(path, {table});
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// The child: everything the label depends on, one line each.
int printLabelFacts(const QString& databasePath)
{
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    // What the process really runs under; the parent checks it.
    out << "locale " << std::setlocale(LC_NUMERIC, nullptr) << ' ' << QLocale::system().name()
        << '\n';
    // The face labels are printed in, which fonts name in the locale's language.
    const std::optional<FontFile> face = fontFileOf(QFont(japaneseFontFamily()));
    out << "font " << japaneseFontFamily() << ' ' << (face ? face->path : u"(no file)"_qs) << '\n';
    for (const auto& call : draw(recordWithPrice(u"1280"_qs))) {
        out << "call " << int(call.kind) << ' ' << number(call.atMm.x()) << ' '
            << number(call.atMm.y()) << ' ' << number(call.toMm.x()) << ' ' << number(call.toMm.y())
            << ' ' << number(call.font.pointSize) << ' ' << call.font.bold << call.font.italic
            << ' ' << call.text << '\n';
    }
    for (const QString& price : priceTexts)
        out << "text [" << price << "] " << printedPrice(price) << '\n';
    try {
        const auto connection = openAccessDatabase(databasePath);
        for (const PriceColumn& column : priceColumns()) {
            const auto records = connection->openRecordset(
                u"select bar, bar, bar, %1 from Master"_qs.arg(column.name),
                CursorKind::StaticRead);
            for (; !records->eof(); records->moveNext()) {
                const QString field = records->field(3).value_or(u"(null)"_qs);
                out << "column " << column.name << " [" << field << "] " << printedPrice(field)
                    << '\n';
            }
        }
    } catch (const Error& error) {
        out << "database error: " << error.description() << '\n';
    }
    return 0;
}

} // namespace

class TestLabelLocales : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString database;

    struct ChildRun
    {
        QString locale; // the first line: what the child ran under
        QStringList facts;
    };

    ChildRun runUnder(const QString& locale)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : environment.keys()) {
            if (name.startsWith(u"LC_"_qs) || name == u"LANGUAGE"_qs)
                environment.remove(name);
        }
        environment.insert(u"LANG"_qs, locale);
        environment.insert(u"LC_ALL"_qs, locale);
        environment.insert(u"LOCPATH"_qs, QStringLiteral(HAKOBEE_LOCALE_DIR));
        environment.insert(QString::fromLatin1(childVariable), database);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        if (!child.waitForFinished(60'000) || child.exitCode() != 0) {
            qWarning("%s", child.readAllStandardError().constData());
            return {};
        }
        QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
        ChildRun run;
        run.locale = lines.takeFirst();
        run.facts = lines;
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        database = dir.filePath(u"prices.mdb"_qs);
        writePriceDatabase(database);
    }

    void labelIsTheSameUnderEveryLocale()
    {
        const ChildRun reference = runUnder(u"C.UTF-8"_qs);
        QVERIFY2(!reference.facts.isEmpty(), "the child under C.UTF-8 failed");
        const QStringList locales{u"en_US.UTF-8"_qs, u"ja_JP.UTF-8"_qs, u"de_DE.UTF-8"_qs};
        for (const QString& locale : locales) {
            const ChildRun run = runUnder(locale);
            // The locale must really be in force, or the comparison proves
            // nothing: scripts/locales-setup.sh makes it available.
            const QString expected = u"locale %1 %2"_qs.arg(locale, locale.section(u'.', 0, 0));
            QVERIFY2(run.locale == expected,
                     qPrintable(u"%1: ran under \"%2\"; is %3 compiled?"_qs.arg(
                         locale, run.locale, QStringLiteral(HAKOBEE_LOCALE_DIR))));
            for (qsizetype i = 0; i < std::max(run.facts.size(), reference.facts.size()); ++i) {
                const QString got = run.facts.value(i), want = reference.facts.value(i);
                QVERIFY2(got == want,
                         qPrintable(u"%1: \"%2\", under C.UTF-8 \"%3\""_qs.arg(locale, got, want)));
            }
        }
    }

    void pricesPrintAsYen()
    {
        const ChildRun run = runUnder(u"ja_JP.UTF-8"_qs);
        const QStringList expected{
            // The label's own price, sixth call (after title, line, item name, name).
            u"text [1280] ¥1,280"_qs,
            u"text [1,280] ¥1,280"_qs,
            u"text [1280.0000] ¥1,280"_qs,
            u"text [0] ¥0"_qs,
            u"text [-98] -¥98"_qs,
            u"text [0.5] ¥1"_qs,
            u"text [-0.5] -¥1"_qs,
            u"text [2.5] ¥3"_qs,
            u"text [-0.4] ¥0"_qs,
            u"text [1234567] ¥1,234,567"_qs,
            u"text [1e3] ¥1,000"_qs,
            u"text [ 398 ] ¥398"_qs,
            u"text [1,280.5] ¥1,281"_qs,
            u"text [１２] error: 価格「１２」が数値ではありません。"_qs,
            u"column kakaku [1280] ¥1,280"_qs,
            u"column kakaku [0] ¥0"_qs,
            u"column kakaku [-98] -¥98"_qs,
            u"column kakaku [1280.5] ¥1,281"_qs,
            u"column kakaku [123456.789] ¥123,457"_qs,
            u"column teika [1280] ¥1,280"_qs,
            u"column teika [0] ¥0"_qs,
            u"column teika [-98] -¥98"_qs,
            u"column teika [1280.5] ¥1,281"_qs,
            u"column teika [0.3] ¥0"_qs,
            u"column tanka [1280] ¥1,280"_qs,
            u"column tanka [0] ¥0"_qs,
            u"column tanka [-98] -¥98"_qs,
            u"column tanka [1280.5] ¥1,281"_qs,
            u"column tanka [1.1] ¥1"_qs,
            u"column kosu [1280] ¥1,280"_qs,
            u"column kosu [0] ¥0"_qs,
            u"column kosu [-98] -¥98"_qs,
            u"column kosu [1234567] ¥1,234,567"_qs,
            u"column kosu [1] ¥1"_qs,
            u"column juni [1280] ¥1,280"_qs,
            u"column juni [0] ¥0"_qs,
            u"column juni [-98] -¥98"_qs,
            u"column juni [1280.5] ¥1,281"_qs,
            u"column juni [-0.5] -¥1"_qs,
            u"column moji [1280] ¥1,280"_qs,
            u"column moji [0] ¥0"_qs,
            u"column moji [-98] -¥98"_qs,
            u"column moji [1,280.5] ¥1,281"_qs,
            u"column moji [398] ¥398"_qs,
        };
        QStringList prices;
        for (const QString& fact : run.facts) {
            if (fact.startsWith(u"text "_qs) || fact.startsWith(u"column "_qs) ||
                fact.startsWith(u"database"_qs))
                prices.append(fact);
        }
        QCOMPARE(prices, expected);
        // The yen sign is U+00A5, not the full-width U+FFE5 Qt's Japanese
        // currency format gives.
        QVERIFY(run.facts.contains(u"call 0 14.5 7.7 0 0 11.5 11 ¥1,280"_qs));
    }
};

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // fonts need it
    if (qEnvironmentVariableIsSet(childVariable))
        return printLabelFacts(qEnvironmentVariable(childVariable));
    TestLabelLocales test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_labellocales.moc"
