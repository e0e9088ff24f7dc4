// Damaged settings files, failed rewrites and the restore of the default
// copies: each gives a clear error or a report, never a crash, and a failed
// rewrite leaves the old file as it was.
#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/settingsconnection.h"
#include "core/settings/settingsrecord.h"
#include "support/settingsfixture.h"

#include <QStringDecoder>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace hakobee;
using hakobee::test::SettingsFixture;

namespace {

const QByteArray goodLayout = "\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                              "\"\xC3\xDE\xB0\xC0\",\"B\",\"9\",\"0\"\r\n";

QStringList layoutValues(const QString& title1)
{
    return {title1, u"B"_qs, u"9"_qs, u"0"_qs};
}

QString describeFailure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.description();
    }
    return {};
}

} // namespace

class TestSettingsFaults : public QObject
{
    Q_OBJECT

private:
    QString layoutPath() const { return fixture->settingsPath(SettingsFiles::layout); }

    std::unique_ptr<SettingsFixture> fixture;

private slots:
    void init()
    {
        fixture = std::make_unique<SettingsFixture>();
        QDir().mkpath(fixture->folder.folderPath());
    }

    void damagedFilesGiveClearErrorsOnBothReads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("UTF-8 with a byte order mark")
            << QByteArray("\xEF\xBB\xBF") +
                   QString(u"\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                           "\"ラベル\",\"B\",\"9\",\"0\"\r\n"_qs)
                       .toUtf8()
            << u"UTF-8"_qs;
        static const char withNul[] = "\"TITLE1\",\"TITLE2\",\0\0\0\0";
        QTest::newRow("NUL bytes") << QByteArray(withNul, sizeof withNul - 1) << u"NUL"_qs;
        QTest::newRow("truncated in a value")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"A\",\"B\",\"9")
            << u"途中"_qs;
        QTest::newRow("too few values")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n") << u"足りません"_qs;
        QTest::newRow("not Shift-JIS")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"\x85\x20\",\"B\",\"9\","
                          "\"0\"\r\n")
            << u"読めない"_qs;
        QTest::newRow("no such two-byte character")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"\x85\x40\",\"B\",\"9\","
                          "\"0\"\r\n")
            << u"読めない"_qs;
        QTest::newRow("byte outside the code page")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"\xA0\",\"B\",\"9\","
                          "\"0\"\r\n")
            << u"読めない"_qs;
        QTest::newRow("cut inside a character")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"A\",\"B\",\"9\",\"\x83")
            << u"途中"_qs;
        QTest::newRow("empty") << QByteArray() << u""_qs;
    }

    void damagedFilesGiveClearErrorsOnBothReads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        SettingsFixture::writeBytes(layoutPath(), bytes);
        const QString rowsError = describeFailure([&] { readSettingsRows(layoutPath(), 4); });
        QVERIFY2(rowsError.contains(u"nimbeconfig4.txt"_qs), qPrintable(rowsError));
        QVERIFY2(rowsError.contains(reason), qPrintable(rowsError));
        StandardDatabaseProvider databases(fixture->folder);
        const QString namedError = describeFailure(
            [&] { readSettingsRecord(databases, u"Select * From nimbeconfig4.txt"_qs); });
        QVERIFY2(!namedError.isEmpty(), "the named read must fail as well");
    }

    void shiftJisFileIsNotMistakenForUtf8()
    {
        SettingsFixture::writeBytes(layoutPath(), goodLayout);
        QCOMPARE(readSettingsRows(layoutPath(), 4).data.first(), u"ﾃﾞｰﾀ"_qs);
        // Saved by the program, these titles are valid UTF-8 as well:
        // ﾊｲﾃｸ is CA B2 C3 B8, ﾄｸ is C4 B8. They are Shift-JIS all the same.
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u"ﾊｲﾃｸ"_qs, u"ﾄｸ"_qs, u"9"_qs, u"0"_qs});
        const QByteArray bytes = SettingsFixture::readBytes(layoutPath());
        QVERIFY(bytes.contains("\"\xCA\xB2\xC3\xB8\",\"\xC4\xB8\""));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        QVERIFY(!utf8.hasError());
        // As UTF-8 they would read ʲø and ĸ: readable, and wrong.
        QVERIFY(text.contains(u"\"ʲø\",\"ĸ\""_qs));
        QCOMPARE(readSettingsRows(layoutPath(), 4).data,
                 (QStringList{u"ﾊｲﾃｸ"_qs, u"ﾄｸ"_qs, u"9"_qs, u"0"_qs}));
        StandardDatabaseProvider databases(fixture->folder);
        const SettingsRecord record =
            readSettingsRecord(databases, u"Select * From nimbeconfig4.txt"_qs);
        QCOMPARE(record.value(u"TITLE1"_qs), FieldValue(u"ﾊｲﾃｸ"_qs));
        QCOMPARE(record.value(u"TITLE2"_qs), FieldValue(u"ﾄｸ"_qs));
    }

    void controlCharactersAreTheirOwnBytes()
    {
        // Code page 932 as Windows has it: 1A, 1C and 7F stand for themselves
        // (the converter underneath swaps them, as IBM's code pages do).
        const QString value = QString(QChar(0x1A)) + QChar(0x1C) + QChar(0x7F) + u"\tｱ"_qs;
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(), layoutValues(value));
        QVERIFY(SettingsFixture::readBytes(layoutPath()).contains("\"\x1A\x1C\x7F\t\xB1\""));
        QCOMPARE(readSettingsRows(layoutPath(), 4).data.first(), value);
    }

    void folderInPlaceOfAFile()
    {
        QDir().mkpath(layoutPath());
        QVERIFY(!describeFailure([&] { readSettingsRows(layoutPath(), 4); }).isEmpty());
        QVERIFY(!describeFailure([&] {
                     replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                                         layoutValues(u"A"_qs));
                 }).isEmpty());
        QVERIFY(QFileInfo(layoutPath()).isDir());
        StandardDatabaseProvider databases(fixture->folder);
        QVERIFY_THROWS_EXCEPTION(
            Error, readSettingsRecord(databases, u"Select * From nimbeconfig4.txt"_qs));
    }

    void valuesTheFormatCannotHoldAreRefusedAndNothingIsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("double quote") << u"say \"hi\""_qs;
        QTest::newRow("line end") << u"two\r\nlines"_qs;
        QTest::newRow("outside Shift-JIS") << u"label 😀"_qs;
    }

    void valuesTheFormatCannotHoldAreRefusedAndNothingIsWritten()
    {
        QFETCH(QString, value);
        SettingsFixture::writeBytes(layoutPath(), goodLayout);
        const QString error = describeFailure([&] {
            replaceSettingsFile(layoutPath(), SettingsColumns::layout(), layoutValues(value));
        });
        QVERIFY2(error.contains(u"保存できません"_qs), qPrintable(error));
        QCOMPARE(SettingsFixture::readBytes(layoutPath()), goodLayout);
        // A refused value in a file that does not exist yet creates nothing.
        const QString fresh = fixture->settingsPath(u"nimbeconfig2.txt"_qs);
        QVERIFY_THROWS_EXCEPTION(Error, replaceSettingsFile(fresh, {u"DB"_qs}, {value}));
        QVERIFY(!QFileInfo::exists(fresh));
    }

    void mismatchedCountsAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(
            Error, replaceSettingsFile(layoutPath(), SettingsColumns::layout(), {u"A"_qs}));
        QVERIFY(!QFileInfo::exists(layoutPath()));
    }

    void failedWriteLeavesTheOldFileByteIdentical()
    {
#ifdef Q_OS_UNIX
        // A file size limit makes the write itself fail, for root as well.
        SettingsFixture::writeBytes(layoutPath(), goodLayout);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limited);
        const QString error = describeFailure([&] {
            replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                                layoutValues(QString(200, u'x')));
        });
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY2(error.contains(u"元のファイルはそのままです"_qs), qPrintable(error));
        QCOMPARE(SettingsFixture::readBytes(layoutPath()), goodLayout);
        QCOMPARE(QDir(fixture->folder.folderPath()).entryList(QDir::Files),
                 QStringList{SettingsFiles::layout});
#else
        QSKIP("file size limits are a POSIX facility");
#endif
    }

    void readOnlyFolderLeavesTheOldFileByteIdentical()
    {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("permission bits do not stop root; the size-limit case covers the failure");
#endif
        SettingsFixture::writeBytes(layoutPath(), goodLayout);
        const QFile::Permissions permissions = QFile::permissions(fixture->folder.folderPath());
        QFile::setPermissions(fixture->folder.folderPath(), QFile::ReadOwner | QFile::ExeOwner);
        const QString error = describeFailure([&] {
            replaceSettingsFile(layoutPath(), SettingsColumns::layout(), layoutValues(u"new"_qs));
        });
        QFile::setPermissions(fixture->folder.folderPath(), permissions);
        QVERIFY(!error.isEmpty());
        QCOMPARE(SettingsFixture::readBytes(layoutPath()), goodLayout);
    }

    void writeUnderAFileFails()
    {
        const QString blocker = fixture->temp.filePath(u"blocker"_qs);
        SettingsFixture::writeBytes(blocker, "x");
        QVERIFY_THROWS_EXCEPTION(Error, replaceSettingsFile(blocker + u"/nimbeconfig4.txt"_qs,
                                                            SettingsColumns::layout(),
                                                            layoutValues(u"A"_qs)));
        QCOMPARE(SettingsFixture::readBytes(blocker), QByteArray("x"));
    }

    void resetCreatesTheFolderAndCopiesEveryDefault()
    {
        QDir(fixture->folder.folderPath()).removeRecursively();
        fixture->writeDefaults();
        const SettingsResetReport report = resetSettingsFiles(fixture->folder);
        QVERIFY(report.complete());
        QCOMPARE(report.message(), settingsRestoredMessage());
        QCOMPARE(report.restored, SettingsFiles::all());
        for (const QString& name : SettingsFiles::all()) {
            QVERIFY(QFileInfo(fixture->settingsPath(name)).isFile());
            QCOMPARE(SettingsFixture::readBytes(fixture->settingsPath(name)),
                     SettingsFixture::readBytes(QDir(fixture->defaultsPath()).filePath(name)));
        }
    }

    void resetOverwritesGoodFilesAndPrefersTheFirstFolder()
    {
        fixture->writeDefaults(u"from the first folder"_qs);
        const QString second = fixture->temp.filePath(u"second"_qs);
        QDir().mkpath(second);
        SettingsFixture::writeLayout(QDir(second).filePath(SettingsFiles::layout), u"second"_qs);
        fixture->folder.setDefaultCopyFolders({fixture->defaultsPath(), second});
        SettingsFixture::writeLayout(layoutPath(), u"the operator's own"_qs);

        QVERIFY(resetSettingsFiles(fixture->folder).complete());
        QCOMPARE(readSettingsRows(layoutPath(), 4).data[1], u"from the first folder"_qs);

        // A default only the second folder holds is taken from there.
        QFile::remove(QDir(fixture->defaultsPath()).filePath(SettingsFiles::layout));
        QVERIFY(resetSettingsFiles(fixture->folder).complete());
        QCOMPARE(readSettingsRows(layoutPath(), 4).data[1], u"second"_qs);
    }

    void resetReportsAMissingDefaultAndRestoresTheRest()
    {
        QDir(fixture->folder.folderPath()).removeRecursively();
        fixture->writeDefaults();
        QFile::remove(QDir(fixture->defaultsPath()).filePath(SettingsFiles::dataSource));
        const SettingsResetReport report = resetSettingsFiles(fixture->folder);
        QVERIFY(!report.complete());
        QCOMPARE(report.notRestored, QStringList{SettingsFiles::dataSource});
        QVERIFY(report.message().contains(SettingsFiles::dataSource));
        QVERIFY(QFileInfo(layoutPath()).isFile());
        QVERIFY(!QFileInfo::exists(fixture->settingsPath(SettingsFiles::dataSource)));
    }

    void resetReportsAFolderItCannotCreate()
    {
        QDir(fixture->folder.folderPath()).removeRecursively();
        SettingsFixture::writeBytes(fixture->temp.filePath(u"root/qvx_ini"_qs), "not a folder");
        fixture->writeDefaults();
        const SettingsResetReport report = resetSettingsFiles(fixture->folder);
        QVERIFY(!report.complete());
        QCOMPARE(report.notRestored, SettingsFiles::all());
        QVERIFY(report.message().contains(u"qvx_ini"_qs));
    }

    void resetUsesAnExistingFolderOfAnotherLetterCase()
    {
        const QString upper = fixture->temp.filePath(u"root/QVX_INI"_qs);
        QDir().rename(fixture->folder.folderPath(), upper);
        fixture->writeDefaults();
        QVERIFY(resetSettingsFiles(fixture->folder).complete());
        QCOMPARE(
            QDir(fixture->temp.filePath(u"root"_qs)).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{u"QVX_INI"_qs});
        QVERIFY(QFileInfo(QDir(upper).filePath(SettingsFiles::layout)).isFile());
    }

    // The restore keeps what it replaces.

    void resetKeepsEachReplacedFileAsADatedBackup()
    {
        fixture->installDefaults();
        SettingsFixture::writeLayout(layoutPath(), u"ﾄｸ"_qs);
        const QByteArray operatorsLayout = SettingsFixture::readBytes(layoutPath());
        const QString dataSource = fixture->settingsPath(SettingsFiles::dataSource);
        const QByteArray damaged =
            "\xEF\xBB\xBF\"DB\",\"TABLE\",\"KENSAKU\"\r\n\"x\",\"y\",\"z\"\r\n";
        SettingsFixture::writeBytes(dataSource, damaged);

        const SettingsResetReport report =
            resetSettingsFiles(fixture->folder, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
        QVERIFY(report.complete());
        const QString dataBackup = dataSource + u".20250102-030405.bak"_qs;
        const QString layoutBackup = layoutPath() + u".20250102-030405.bak"_qs;
        QCOMPARE(report.kept, (QStringList{dataBackup, layoutBackup}));
        QCOMPARE(SettingsFixture::readBytes(dataBackup), damaged);
        QCOMPARE(SettingsFixture::readBytes(layoutBackup), operatorsLayout);
        // The files that held their defaults had nothing to keep.
        QCOMPARE(QDir(fixture->folder.folderPath()).entryList({u"*.bak"_qs}, QDir::Files),
                 (QStringList{u"nimbeconfig2.txt.20250102-030405.bak"_qs,
                              u"nimbeconfig4.txt.20250102-030405.bak"_qs}));
        for (const QString& name : SettingsFiles::all())
            QCOMPARE(SettingsFixture::readBytes(fixture->settingsPath(name)),
                     SettingsFixture::readBytes(QDir(fixture->defaultsPath()).filePath(name)));
        QVERIFY(report.message().startsWith(settingsRestoredMessage()));
        QVERIFY2(report.message().contains(u"nimbeconfig2.txt.20250102-030405.bak"_qs) &&
                     report.message().contains(u"nimbeconfig4.txt.20250102-030405.bak"_qs),
                 qPrintable(report.message()));
    }

    void backupsNeverOverwriteEachOther()
    {
        fixture->installDefaults();
        const QDateTime sameSecond(QDate(2025, 1, 2), QTime(3, 4, 5));
        const QString stamped = layoutPath() + u".20250102-030405"_qs;
        SettingsFixture::writeLayout(layoutPath(), u"first"_qs);
        const QByteArray first = SettingsFixture::readBytes(layoutPath());
        QCOMPARE(resetSettingsFiles(fixture->folder, sameSecond).kept,
                 QStringList{stamped + u".bak"_qs});

        // A name taken by something else is passed over as well.
        SettingsFixture::writeBytes(stamped + u"-2.bak"_qs, "someone else's");
        SettingsFixture::writeLayout(layoutPath(), u"second"_qs);
        const QByteArray second = SettingsFixture::readBytes(layoutPath());
        QCOMPARE(resetSettingsFiles(fixture->folder, sameSecond).kept,
                 QStringList{stamped + u"-3.bak"_qs});
#ifdef Q_OS_UNIX
        // Even a link to nowhere: the backup is not written through it.
        const QString nowhere = fixture->temp.filePath(u"nowhere"_qs);
        QVERIFY(QFile::link(nowhere, stamped + u"-4.bak"_qs));
        SettingsFixture::writeLayout(layoutPath(), u"third"_qs);
        const QByteArray third = SettingsFixture::readBytes(layoutPath());
        QCOMPARE(resetSettingsFiles(fixture->folder, sameSecond).kept,
                 QStringList{stamped + u"-5.bak"_qs});
        QVERIFY(!QFileInfo::exists(nowhere));
        QCOMPARE(SettingsFixture::readBytes(stamped + u"-5.bak"_qs), third);
#endif
        QCOMPARE(SettingsFixture::readBytes(stamped + u".bak"_qs), first);
        QCOMPARE(SettingsFixture::readBytes(stamped + u"-2.bak"_qs), QByteArray("someone else's"));
        QCOMPARE(SettingsFixture::readBytes(stamped + u"-3.bak"_qs), second);
    }

    void fileWithoutABackupIsNotReplaced()
    {
#ifdef Q_OS_UNIX
        fixture->installDefaults();
        SettingsFixture::writeLayout(layoutPath(), QString(200, u'x'));
        const QByteArray operatorsLayout = SettingsFixture::readBytes(layoutPath());
        // A file size limit makes the backup's write fail, for root as well.
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limited);
        const SettingsResetReport report = resetSettingsFiles(fixture->folder);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(report.notRestored, QStringList{SettingsFiles::layout});
        QVERIFY(report.kept.isEmpty());
        QCOMPARE(SettingsFixture::readBytes(layoutPath()), operatorsLayout);
        // A half-written backup is not left behind to be taken for a good one.
        QCOMPARE(QDir(fixture->folder.folderPath()).entryList({u"*.bak"_qs}, QDir::Files),
                 QStringList());
        QVERIFY2(report.message().contains(SettingsFiles::layout) &&
                     report.message().contains(u"控えを作れない"_qs) &&
                     report.message().contains(u"元のファイルはそのまま"_qs),
                 qPrintable(report.message()));
#else
        QSKIP("file size limits are a POSIX facility");
#endif
    }
};

QTEST_GUILESS_MAIN(TestSettingsFaults)
#include "tst_settingsfaults.moc"
