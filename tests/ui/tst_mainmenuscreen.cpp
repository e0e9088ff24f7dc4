// The main menu: its controls and texts, its loading steps with the restore
// of the settings files, and the way its buttons open slow screens.
#include "core/error.h"
#include "core/printer/printermemory.h"
#include "core/printer/rememberedprinter.h"
#include "core/settings/layoutmode.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsrecord.h"
#include "platform/desktop/fonts.h"
#include "platform/desktop/osversion.h"
#include "runfixture.h"
#include "support/screencontrols.h"
#include "support/shellfixture.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/mainmenuscreen.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace hakobee;
using hakobee::test::RunFixture;
using hakobee::test::SettingsFixture;
using hakobee::test::ShellFixture;
using hakobee::test::textOf;
using hakobee::test::visibleNotice;

namespace {

class FailingScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "FailingScreen";
    using Screen::Screen;
    bool load() override { return false; }
};

class ThrowingScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "ThrowingScreen";
    using Screen::Screen;
    bool load() override { throw Error(u"接続できません"_qs); }
};

class SlowScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "SlowScreen";
    using Screen::Screen;
    bool load() override
    {
        noticeWasShown = visibleNotice() != nullptr;
        return true;
    }
    static inline bool noticeWasShown = false;
};

// The backups the restore kept of a settings file, by name.
QStringList backupsOf(const SettingsFixture& settings, const QString& fileName)
{
    return QDir(settings.folder.folderPath())
        .entryList({fileName + u".*.bak"_qs}, QDir::Files, QDir::Name);
}

bool isValidUtf8(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end is an error, not a wait for more.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    Q_UNUSED(text);
    return !utf8.hasError();
}

enum class Pairs
{
    Without,
    With
};

// Values an operator or the program stores in the settings: every
// half-width katakana alone and in every pair (ﾄｸ is C4 B8, valid UTF-8),
// kanji (表 and ソ end in 5C, the backslash), NEC and IBM extensions,
// full-width digits, ASCII mixed in.
QStringList operatorValues(Pairs pairs)
{
    QStringList values;
    for (char16_t first = 0xFF61; first <= 0xFF9F; ++first) {
        values.append(QString(QChar(first)));
        for (char16_t second = 0xFF61; pairs == Pairs::With && second <= 0xFF9F; ++second)
            values.append(QString(QChar(first)) + QChar(second));
    }
    values << u"ﾊｲﾃｸ"_qs << u"ﾊﾞｰｺｰﾄﾞ"_qs << u"漢字"_qs << u"表示"_qs << u"ソフト"_qs << u"髙橋"_qs
           << u"﨑"_qs << u"①②③"_qs << u"Ⅰ㈱№"_qs << u"０１２３４５６７８９"_qs << u"ｾｰﾙ 2割引 ①"_qs
           << u"A,B ﾃｽﾄ 123"_qs << u"C:\\data\\商品.mdb"_qs
           << u" !#$%&'()*+,-./0123456789:;<=>?@AZ[\\]^_`az{|}~"_qs << u"_"_qs;
    return values;
}

// The values in groups of `size` (the last of a kind filled up with its
// own first values), each group of one kind: values whose Shift-JIS bytes are
// valid UTF-8 as well, or values whose are not.
QList<QStringList> groupsOfOneKind(const QStringList& values, qsizetype size)
{
    QStringEncoder shiftJis("Shift_JIS");
    QStringList kinds[2];
    for (const QString& value : values)
        kinds[isValidUtf8(shiftJis.encode(value)) ? 1 : 0].append(value);
    QList<QStringList> groups;
    for (const QStringList& kind : kinds) {
        for (qsizetype start = 0; start < kind.size(); start += size) {
            QStringList group = kind.mid(start, size);
            for (qsizetype i = 0; group.size() < size; ++i)
                group.append(group[i]);
            groups.append(group);
        }
    }
    return groups;
}

} // namespace

class TestMainMenuScreen : public QObject
{
    Q_OBJECT

private:
    MainMenuScreen* openMainMenu() { return fixture->screens.open<MainMenuScreen>(); }
    QString text(const QString& name)
    {
        return textOf(fixture->screens.find<MainMenuScreen>(), name);
    }
    QString restartMessage() const { return settingsRestoredMessage(); }

    std::unique_ptr<ShellFixture> fixture;

private slots:
    void init() { fixture = std::make_unique<ShellFixture>(); }
    void cleanup()
    {
        fixture.reset();
        QTRY_VERIFY(!visibleNotice());
    }

    void controlsCarryTheirTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label2") << u"Label2"_qs << u"ﾊﾞｰｺｰﾄﾞハコビー メインメニュー"_qs;
        QTest::newRow("Frame1") << u"Frame1"_qs << u"発行前確認"_qs;
        QTest::newRow("Label1") << u"Label1"_qs << u"データ件数"_qs;
        QTest::newRow("Command3") << u"Command3"_qs << u"DB接続　==>　件数表示"_qs;
        QTest::newRow("Label6") << u"Label6"_qs << u"データベースパス"_qs;
        QTest::newRow("Label14") << u"Label14"_qs << u"データテーブル"_qs;
        QTest::newRow("Label8") << u"Label8"_qs << u"出力プリンター設定"_qs;
        QTest::newRow("Command4") << u"Command4"_qs << u"プリンター/用紙設定"_qs;
        QTest::newRow("Label10") << u"Label10"_qs << u"OSバージョン"_qs;
        QTest::newRow("Label12") << u"Label12"_qs << QString();
        QTest::newRow("Command1") << u"Command1"_qs << u"発行開始"_qs;
        QTest::newRow("Command5") << u"Command5"_qs << u"部分発行"_qs;
        QTest::newRow("Label3") << u"Label3"_qs << u"DB by Access"_qs;
    }

    void controlsCarryTheirTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();
        QCOMPARE(form->windowTitle(), u"メインメニュー　　Va2.0.5"_qs);
        QCOMPARE(form->objectName(), u"Form1"_qs);
        QCOMPARE(textOf(form, name), text);
    }

    void colouredLinesAndTheHiddenModeNote()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();
        auto* message = form->findChild<QLabel*>(u"Label12"_qs);
        auto* note = form->findChild<QLabel*>(u"Label4"_qs);
        auto* partial = form->findChild<QPushButton*>(u"Command5"_qs);
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(note->palette().color(QPalette::WindowText).green(), 128);
        QCOMPARE(note->geometry(), partial->geometry());
        QCOMPARE(form->childAt(partial->geometry().center()), partial);
    }

    void everyButtonIsWiredToItsScreen()
    {
        // Seams and a database every screen behind the buttons loads over.
        RunFixture f;
        f.useProducts(3);
        MainMenuScreen* form = f.screens.open<MainMenuScreen>();
        const QList<std::pair<QString, QString>> wiring{{u"Command1"_qs, u"F_CustInput"_qs},
                                                        {u"Command3"_qs, u"Form6"_qs},
                                                        {u"Command4"_qs, u"Form17"_qs},
                                                        {u"Command5"_qs, u"F_CustInput2"_qs}};
        const QStringList screens{u"F_CustInput"_qs, u"Form6"_qs, u"Form17"_qs, u"F_CustInput2"_qs};
        for (const auto& [button, screen] : wiring) {
            QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
            for (const QString& other : screens) {
                QPointer<Screen> opened = f.screens.find(other);
                QVERIFY2(bool(opened) == (other == screen), qPrintable(button + u" "_qs + other));
                if (opened) {
                    QCOMPARE(opened->objectName(), screen);
                    QVERIFY(opened->isVisible());
                    opened->closeScreen();
                    QTRY_VERIFY(opened.isNull());
                }
            }
            QCOMPARE(textOf(form, u"Label12"_qs), QString());
        }
    }

    void normalStartShowsTheDataSource()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label4"_qs), u"_"_qs);
        QVERIFY(form->layoutMode() == LayoutMode::StandardLabel);
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(text(u"Label15"_qs), u"Master"_qs);
        QCOMPARE(form->keptDatabase(), u"/data/default.mdb"_qs);
        QCOMPARE(form->keptTable(), u"Master"_qs);
        QCOMPARE(text(u"Label11"_qs), operatingSystemVersionText());
        QCOMPARE(form->pos(), QPoint(1, 1));
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void aDamagedPrinterFileIsSaidAndRestoresNothing()
    {
        fixture->settings.installDefaults();
        QStringList expectedFiles =
            QDir(fixture->settings.folder.folderPath()).entryList(QDir::Files);
        expectedFiles.append(printerMemoryFileName);
        expectedFiles.sort();
        QList<QByteArray> settingsFiles;
        for (const QString& name : SettingsFiles::all())
            settingsFiles.append(SettingsFixture::readBytes(fixture->settings.settingsPath(name)));
        SettingsFixture::writeBytes(fixture->settings.settingsPath(printerMemoryFileName),
                                    "\"PRINTER\"\r\n\"x\"\r\n");
        RememberedPrinter remembered(fixture->settings.folder);
        fixture->context.rememberedPrinter = &remembered;
        openMainMenu();
        QVERIFY2(text(u"Label12"_qs).contains(printerMemoryFileName),
                 qPrintable(text(u"Label12"_qs)));
        QVERIFY(!text(u"Label12"_qs).contains(restartMessage()));
        // No backups: the four files were not restored.
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList(QDir::Files, QDir::Name),
                 expectedFiles);
        for (qsizetype i = 0; i < settingsFiles.size(); ++i)
            QCOMPARE(
                SettingsFixture::readBytes(fixture->settings.settingsPath(SettingsFiles::all()[i])),
                settingsFiles[i]);
        fixture->context.rememberedPrinter = nullptr;
    }

    void firstStartWithoutAFolderRestoresAndShowsTheFreshDataSource()
    {
        // Even a default layout in the furniture-slip mode does not switch
        // this window: its layout step failed before the restore.
        fixture->settings.writeDefaults(furnitureSlipMarker());
        QVERIFY(!fixture->settings.folder.exists());
        openMainMenu();
        QVERIFY(fixture->settings.folder.exists());
        for (const QString& name : SettingsFiles::all())
            QVERIFY2(QFileInfo(fixture->settings.settingsPath(name)).isFile(), qPrintable(name));
        QCOMPARE(text(u"Label12"_qs), restartMessage());
        QCOMPARE(text(u"Label4"_qs), QString());
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(text(u"Label15"_qs), u"Master"_qs);
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void furnitureSlipMarkerSwitchesTheMode()
    {
        fixture->settings.installDefaults(furnitureSlipMarker());
        // The data source file is not read in this mode: damage it to show that.
        SettingsFixture::writeBytes(fixture->settings.settingsPath(SettingsFiles::dataSource), "");
        MainMenuScreen* form = openMainMenu();
        QCOMPARE(text(u"Label4"_qs), u"ﾌﾟﾛｸﾞﾗﾑC7304動作中"_qs);
        QVERIFY(form->layoutMode() == LayoutMode::FurnitureSlip);
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label7"_qs), QString());
        QCOMPARE(text(u"Label15"_qs), QString());
        QCOMPARE(form->keptDatabase(), u"slip.txt"_qs);
        QCOMPARE(form->keptTable(), u"/data/slips"_qs);
    }

    // Only the marker itself switches the mode: not with a blank after it,
    // nor a second title that reads like the note the mode shows.
    void otherSecondTitlesAreOrdinaryTitles_data()
    {
        QTest::addColumn<QString>("title2");
        QTest::newRow("marker with a trailing blank") << furnitureSlipMarker() + u" "_qs;
        QTest::newRow("the furniture-slip note") << MainMenuScreen::furnitureSlipNote();
    }

    void otherSecondTitlesAreOrdinaryTitles()
    {
        QFETCH(QString, title2);
        fixture->settings.installDefaults(title2);
        MainMenuScreen* form = openMainMenu();
        QCOMPARE(text(u"Label4"_qs), title2);
        QVERIFY(form->layoutMode() == LayoutMode::StandardLabel);
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(form->keptDatabase(), u"/data/default.mdb"_qs);
    }

    void dataSourceWithOnlyAHeaderRowIsRestored()
    {
        fixture->settings.installDefaults();
        const QString dataSource = fixture->settings.settingsPath(SettingsFiles::dataSource);
        const QByteArray headerOnly = "\"DB\",\"TABLE\",\"KENSAKU\"\r\n";
        SettingsFixture::writeBytes(dataSource, headerOnly);
        openMainMenu();
        const QStringList backups = backupsOf(fixture->settings, SettingsFiles::dataSource);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(text(u"Label12"_qs),
                 restartMessage() + u" 元のファイルは同じフォルダーに控えとして残しました: "_qs +
                     backups[0]);
        QCOMPARE(text(u"Label7"_qs), QString());
        QCOMPARE(text(u"Label15"_qs), QString());
        QCOMPARE(readSettingsRows(dataSource, 3).data[1], u"Master"_qs);
        QCOMPARE(SettingsFixture::readBytes(fixture->settings.settingsPath(backups[0])),
                 headerOnly);
    }

    // A file that is not settings text: the restore runs, and the old bytes
    // are kept beside it, named with the time, exactly as they were.
    void damagedLayoutFileIsRestored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not Shift-JIS")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                          "\"\x85\x40\",\"B\",\"9\",\"0\"\r\n");
        QTest::newRow("UTF-8 with a byte order mark")
            << QByteArray("\xEF\xBB\xBF\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                          "\"\xE3\x83\xA9\",\"B\",\"9\",\"0\"\r\n");
        static const char withNul[] = "\"TITLE1\",\"TI\0\0\0\0\0\0";
        QTest::newRow("NUL bytes") << QByteArray(withNul, sizeof withNul - 1);
        QTest::newRow("truncated")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"A\",\"B");
    }

    void damagedLayoutFileIsRestored()
    {
        QFETCH(QByteArray, bytes);
        fixture->settings.installDefaults(u"restored"_qs);
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        SettingsFixture::writeBytes(layout, bytes);
        openMainMenu();
        const QStringList backups = backupsOf(fixture->settings, SettingsFiles::layout);
        QCOMPARE(backups.size(), 1);
        QVERIFY2(QRegularExpression(u"^nimbeconfig4\\.txt\\.\\d{8}-\\d{6}\\.bak$"_qs)
                     .match(backups[0])
                     .hasMatch(),
                 qPrintable(backups[0]));
        QCOMPARE(SettingsFixture::readBytes(fixture->settings.settingsPath(backups[0])), bytes);
        QVERIFY(text(u"Label12"_qs).startsWith(restartMessage()));
        QVERIFY2(text(u"Label12"_qs).endsWith(backups[0]), qPrintable(text(u"Label12"_qs)));
        QCOMPARE(text(u"Label4"_qs), QString());
        QCOMPARE(readSettingsRows(layout, 4).data[1], u"restored"_qs);
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        // Only the replaced file was kept: the others held their defaults.
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList({u"*.bak"_qs}), backups);
    }

    // Whatever follows the data row's line end is no part of the settings:
    // both read paths and the start-up take the two rows as before, restore
    // nothing and leave the bytes as they are. A fault in the first two rows
    // still restores (damagedLayoutFileIsRestored).
    void whatFollowsTheDataRowIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("layoutRows");
        QTest::addColumn<QString>("title1");
        QTest::addColumn<QByteArray>("tail");
        const QByteArray header = "\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"";
        const QByteArray rows = header + "\r\n\"\xC3\xDE\xB0\xC0\",\"_\",\"9\",\"0\"\r\n";
        static const char nuls[] = "\0\0\0\0\"\0\"";
        QTest::newRow("a third row not Shift-JIS")
            << rows << u"ﾃﾞｰﾀ"_qs << QByteArray("\"\x85\x40\",\"B\",\"9\",\"0\"\r\n");
        QTest::newRow("NUL bytes") << rows << u"ﾃﾞｰﾀ"_qs << QByteArray(nuls, sizeof nuls - 1);
        QTest::newRow("junk cut inside a character")
            << rows << u"ﾃﾞｰﾀ"_qs << QByteArray("\xEF\xBB\xBF junk \xFF\x83");
        QTest::newRow("a quote never closed")
            << rows << u"ﾃﾞｰﾀ"_qs << QByteArray("\"never closed,\r\n");
        QTest::newRow("rows ended by LF alone")
            << header + "\n\"\xC3\xDE\xB0\xC0\",\"_\",\"9\",\"0\"\n"
            << u"ﾃﾞｰﾀ"_qs << QByteArray("\x85\x20\n");
        QTest::newRow("a line break inside a quoted title")
            << header + "\r\n\"\xC3\xDE\r\n\xB0\xC0\",\"_\",\"9\",\"0\"\r\n"
            << u"ﾃﾞ\r\nｰﾀ"_qs << QByteArray("\"\x85\x40\"\r\n");
    }

    void whatFollowsTheDataRowIsIgnored()
    {
        QFETCH(QByteArray, layoutRows);
        QFETCH(QString, title1);
        QFETCH(QByteArray, tail);
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        const QString dataSource = fixture->settings.settingsPath(SettingsFiles::dataSource);
        const QByteArray layoutBytes = layoutRows + tail;
        const QByteArray dataSourceBytes = SettingsFixture::readBytes(dataSource) + tail;
        SettingsFixture::writeBytes(layout, layoutBytes);
        SettingsFixture::writeBytes(dataSource, dataSourceBytes);

        const QStringList layoutValues{title1, u"_"_qs, u"9"_qs, u"0"_qs};
        const QStringList dataSourceValues{u"/data/default.mdb"_qs, u"Master"_qs,
                                           u"select bar,hi,mei,as2 from "_qs};
        // Each read path's values, or the fault it met.
        const auto rows = [](const QString& path, int count) {
            try {
                return readSettingsRows(path, count).data;
            } catch (const Error& error) {
                return QStringList{error.description()};
            }
        };
        const auto named = [this](const QString& file) {
            try {
                const SettingsRecord record =
                    readSettingsRecord(fixture->databases, u"Select * From "_qs + file);
                QStringList values;
                for (const QString& column : record.columnNames())
                    values.append(record.value(column).value_or(QString()));
                return values;
            } catch (const Error& error) {
                return QStringList{error.description()};
            }
        };
        QCOMPARE(rows(layout, 4), layoutValues);
        QCOMPARE(rows(dataSource, 3), dataSourceValues);
        QCOMPARE(named(SettingsFiles::layout), layoutValues);
        QCOMPARE(named(SettingsFiles::dataSource), dataSourceValues);

        openMainMenu();
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label4"_qs), u"_"_qs);
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(text(u"Label15"_qs), u"Master"_qs);
        QCOMPARE(SettingsFixture::readBytes(layout), layoutBytes);
        QCOMPARE(SettingsFixture::readBytes(dataSource), dataSourceBytes);
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList({u"*.bak"_qs}),
                 QStringList());
    }

    void utf8LookingShiftJisIsNotRestored()
    {
        // The fault an operator met: titles ﾊｲﾃｸ and ﾄｸ with paper 9, saved by
        // the program, are valid UTF-8 byte for byte.
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        replaceSettingsFile(layout, SettingsColumns::layout(),
                            {u"ﾊｲﾃｸ"_qs, u"ﾄｸ"_qs, u"9"_qs, u"0"_qs});
        const QByteArray saved = SettingsFixture::readBytes(layout);
        openMainMenu();
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label4"_qs), u"ﾄｸ"_qs);
        QCOMPARE(SettingsFixture::readBytes(layout), saved);
    }

    // The round trip: values saved through the program's own save path and
    // read back by the main menu's loading; none is refused, none restored
    // over. Several values share a file, but only values of one kind: those
    // whose Shift-JIS bytes are valid UTF-8 as well (ﾄｸ), which make a file
    // that is valid UTF-8 as a whole, as the files once refused were, and
    // the others.

    // Label3 names the kind of source the saved DB is; "DB by Access" for a file.
    void theNoteNamesTheKindOfSource()
    {
        fixture->settings.installDefaults();
        const QString dataSource = fixture->settings.settingsPath(SettingsFiles::dataSource);
        const QList<std::pair<QString, QString>> sources{
            {u"postgresql://db.example/shop"_qs, u"DB by PostgreSQL"_qs},
            {u"DSN=shop"_qs, u"DB by ODBC"_qs},
            {fixture->settings.folder.folderPath(), u"DB by CSV"_qs},
            {u"C:\\db1.mdb"_qs, u"DB by Access"_qs},
        };
        for (const auto& [database, note] : sources) {
            replaceSettingsFile(dataSource, SettingsColumns::dataSource(),
                                {database, u"Master"_qs, u"select * from "_qs});
            MainMenuScreen form(fixture->context);
            form.load();
            QCOMPARE(textOf(&form, u"Label3"_qs), note);
            QCOMPARE(textOf(&form, u"Label7"_qs), database);
        }
    }

    void savedValuesAreReadBackAtStartUp()
    {
        // The ordinary layout: the titles, the database path, the table and
        // the select text, five values a loading.
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        const QString dataSource = fixture->settings.settingsPath(SettingsFiles::dataSource);
        QStringList failures;
        for (const QStringList& v : groupsOfOneKind(operatorValues(Pairs::Without), 5)) {
            replaceSettingsFile(layout, SettingsColumns::layout(), {v[0], v[1], u"9"_qs, u"0"_qs});
            replaceSettingsFile(dataSource, SettingsColumns::dataSource(), {v[2], v[3], v[4]});
            const QByteArray savedLayout = SettingsFixture::readBytes(layout);
            const QByteArray savedDataSource = SettingsFixture::readBytes(dataSource);
            MainMenuScreen form(fixture->context);
            form.load();
            const QStringList shown{textOf(&form, u"Label12"_qs), textOf(&form, u"Label4"_qs),
                                    textOf(&form, u"Label7"_qs), textOf(&form, u"Label15"_qs)};
            if (shown != QStringList{QString(), v[1], v[2], v[3]} ||
                SettingsFixture::readBytes(layout) != savedLayout ||
                SettingsFixture::readBytes(dataSource) != savedDataSource ||
                readSettingsRows(layout, 4).data[0] != v[0] ||
                readSettingsRows(dataSource, 3).data[2] != v[4])
                failures.append(v.join(u' ') + u": "_qs + shown.join(u" | "_qs));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList({u"*.bak"_qs}),
                 QStringList());
    }

    void savedPairsAreReadBackAtStartUp()
    {
        // The furniture-slip layout, whose loading reads all 99 values of
        // nimbeconfig5.txt: every value, the 3,969 katakana pairs among them.
        fixture->settings.installDefaults(furnitureSlipMarker());
        const QString slip = fixture->settings.settingsPath(SettingsFiles::printAdjustments);
        const QStringList values = operatorValues(Pairs::With);
        QCOMPARE(values.size(), 63 + 63 * 63 + 15);
        QStringList failures;
        int validUtf8Files = 0;
        for (const QStringList& v : groupsOfOneKind(values, 99)) {
            replaceSettingsFile(slip, SettingsColumns::printAdjustments(), v);
            const QByteArray saved = SettingsFixture::readBytes(slip);
            validUtf8Files += isValidUtf8(saved) ? 1 : 0;
            MainMenuScreen form(fixture->context);
            form.load();
            if (!textOf(&form, u"Label12"_qs).isEmpty() ||
                form.layoutMode() != LayoutMode::FurnitureSlip || form.keptTable() != v[0] ||
                form.keptDatabase() != v[1] || SettingsFixture::readBytes(slip) != saved ||
                readSettingsRows(slip, 99).data != v)
                failures.append(v.join(u' ') + u": "_qs + textOf(&form, u"Label12"_qs));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        // 30 lead bytes C2 to DF times 31 trail bytes A1 to BF: 930 pairs.
        QCOMPARE(validUtf8Files, (930 + 98) / 99);
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList({u"*.bak"_qs}),
                 QStringList());
    }

    void laterRestoreOfTheSameLoadingStillNamesTheBackups()
    {
        // The layout is damaged and the data source is missing with no
        // default copy to restore: the second restore finds the first one's
        // copies in place and keeps nothing new, yet the message keeps
        // naming the backup the first one made.
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        SettingsFixture::writeBytes(layout, "\xEF\xBB\xBF");
        QFile::remove(fixture->settings.settingsPath(SettingsFiles::dataSource));
        QFile::remove(QDir(fixture->settings.defaultsPath()).filePath(SettingsFiles::dataSource));
        openMainMenu();
        const QStringList backups = backupsOf(fixture->settings, SettingsFiles::layout);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(SettingsFixture::readBytes(fixture->settings.settingsPath(backups[0])),
                 QByteArray("\xEF\xBB\xBF"));
        QVERIFY2(text(u"Label12"_qs).contains(SettingsFiles::dataSource) &&
                     text(u"Label12"_qs).endsWith(backups[0]),
                 qPrintable(text(u"Label12"_qs)));
        QCOMPARE(QDir(fixture->settings.folder.folderPath()).entryList({u"*.bak"_qs}), backups);
    }

    void restoreMessageWithFourBackupsFitsItsLine()
    {
        useJapaneseDefaultFont(); // the program's own face, as on the operator's screen
        SettingsResetReport report;
        report.restored = SettingsFiles::all();
        for (const QString& name : SettingsFiles::all())
            report.kept.append(
                fixture->settings.settingsPath(name + u".20250102-030405-12.bak"_qs));
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();
        auto* line = form->findChild<QLabel*>(u"Label12"_qs);
        line->setText(report.message());
        QVERIFY2(line->heightForWidth(line->width()) <= line->height(),
                 qPrintable(u"%1 px needed, %2 px there"_qs.arg(line->heightForWidth(line->width()))
                                .arg(line->height())));
    }

    void folderInPlaceOfTheLayoutFileIsReported()
    {
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        QFile::remove(layout);
        QDir().mkpath(layout);
        openMainMenu();
        QVERIFY(text(u"Label12"_qs).contains(SettingsFiles::layout));
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
    }

    void missingDefaultCopyIsReportedInTheMessageLine()
    {
        fixture->settings.writeDefaults();
        QFile::remove(QDir(fixture->settings.defaultsPath()).filePath(SettingsFiles::dataSource));
        openMainMenu();
        QVERIFY2(text(u"Label12"_qs).contains(SettingsFiles::dataSource),
                 qPrintable(text(u"Label12"_qs)));
        QCOMPARE(text(u"Label7"_qs), QString());
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void openingBehindTheNoticeShowsItAndReportsFailures()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();

        SlowScreen::noticeWasShown = false;
        QVERIFY(form->openBehindNotice([this] { return fixture->screens.open<SlowScreen>(); },
                                       MainMenuScreen::databaseSettingsInvalidMessage()));
        QVERIFY(SlowScreen::noticeWasShown);
        QCOMPARE(text(u"Label12"_qs), QString());
        QTRY_VERIFY(!visibleNotice());

        QVERIFY(!form->openBehindNotice([this] { return fixture->screens.open<FailingScreen>(); },
                                        MainMenuScreen::databaseSettingsInvalidMessage()));
        QCOMPARE(text(u"Label12"_qs), u"DBの設定が不正です。設定し直して下さい"_qs);
        QTRY_VERIFY(!visibleNotice());

        QVERIFY(!form->openBehindNotice([this] { return fixture->screens.open<ThrowingScreen>(); },
                                        MainMenuScreen::printerErrorMessage()));
        QCOMPARE(text(u"Label12"_qs), u"プリンターエラー"_qs);

        // Without a failure message the message line keeps what it shows.
        QVERIFY(!form->openBehindNotice([] { return nullptr; }, QString()));
        QCOMPARE(text(u"Label12"_qs), u"プリンターエラー"_qs);
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void connectedButtonIsEnabledAndRunsItsAction()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openMainMenu();
        int clicks = 0;
        form->connectButton(u"Command3"_qs, [&clicks] { ++clicks; });
        auto* button = form->findChild<QPushButton*>(u"Command3"_qs);
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void connectingNoticeTexts()
    {
        QPointer<ConnectingNoticeWindow> shown;
        {
            ConnectingNotice notice;
            shown = notice.window();
            QVERIFY(shown->isVisible());
            QCOMPARE(shown->objectName(), u"Form8"_qs);
            QCOMPARE(shown->windowTitle(), u"システム接続中>>>>>"_qs);
            QCOMPARE(textOf(shown, u"Label1"_qs),
                     u"ただいまシステムに接続中です。しばらくこのままでお待ちください。"_qs);
            QVERIFY(shown->findChildren<QPushButton*>().isEmpty());
        }
        QTRY_VERIFY(shown.isNull());
    }
};

QTEST_MAIN(TestMainMenuScreen)
#include "tst_mainmenuscreen.moc"
