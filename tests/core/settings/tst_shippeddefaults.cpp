// The default copies written at build time are complete settings files that
// both read paths accept.
#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/defaultcopy.h"
#include "core/settings/layoutmode.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsrecord.h"
#include "support/settingsfixture.h"

#include <QTest>

using namespace hakobee;

class TestShippedDefaults : public QObject
{
    Q_OBJECT

private slots:
    void defaultCopiesHaveTheColumnsAndOneDataRow()
    {
        const QDir built(QStringLiteral(HAKOBEE_BUILT_DEFAULTS_DIR));
        const SettingsRows dataSource =
            readSettingsRows(built.filePath(SettingsFiles::dataSource), 3);
        QCOMPARE(dataSource.header, SettingsColumns::dataSource());
        QCOMPARE(dataSource.data[0],
                 QDir::toNativeSeparators(QStringLiteral(HAKOBEE_SAMPLE_DATABASE)));
        QCOMPARE(dataSource.data[1], u"Master"_qs);
        QCOMPARE(dataSource.data[2], u"select bar,hi,mei,as2 from "_qs);

        const SettingsRows layout = readSettingsRows(built.filePath(SettingsFiles::layout), 4);
        QCOMPARE(layout.header, SettingsColumns::layout());
        QCOMPARE(layoutModeForTitle2(layout.data[SettingsColumns::layoutTitle2]),
                 LayoutMode::StandardLabel);

        QCOMPARE(readSettingsRows(built.filePath(SettingsFiles::printAdjustments), 99).header,
                 SettingsColumns::printAdjustments());
        QVERIFY(QFileInfo(built.filePath(SettingsFiles::general)).isFile());
    }

    void defaultCopiesRestoreIntoAWorkingFolder()
    {
        test::SettingsFixture fixture;
        fixture.folder.setDefaultCopyFolders({QStringLiteral(HAKOBEE_BUILT_DEFAULTS_DIR)});
        QVERIFY(resetSettingsFiles(fixture.folder).complete());
        StandardDatabaseProvider databases(fixture.folder);
        const SettingsRecord sizes =
            readSettingsRecord(databases, u"Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt"_qs);
        QCOMPARE(sizes.value(u"SIZE1"_qs), u"0"_qs);
        QCOMPARE(readSettingsRecord(databases, u"Select * From nimbeconfig4.txt"_qs)
                     .value(u"PRINTER"_qs),
                 u"0"_qs);
        // A data source naming its database by a full path comes back byte for byte.
        QCOMPARE(test::SettingsFixture::readBytes(fixture.settingsPath(SettingsFiles::dataSource)),
                 test::SettingsFixture::readBytes(QDir(QStringLiteral(HAKOBEE_BUILT_DEFAULTS_DIR))
                                                      .filePath(SettingsFiles::dataSource)));
    }

    void installedDefaultsNameTheSampleWhereverTheyLie()
    {
        // The installed copies, unpacked somewhere no build knew of.
        test::SettingsFixture fixture;
        const QDir installed(QStringLiteral(HAKOBEE_INSTALLED_DEFAULTS_DIR));
        const QDir unpacked(fixture.temp.filePath(u"opt/ハコビー/share/hakobee"_qs));
        QVERIFY(QDir().mkpath(unpacked.path()));
        for (const QString& name : SettingsFiles::all())
            QVERIFY(QFile::copy(installed.filePath(name), unpacked.filePath(name)));
        fixture.folder.setDefaultCopyFolders({unpacked.path()});
        QVERIFY(resetSettingsFiles(fixture.folder).complete());

        const DataSourceSettings restored = readDataSourceRows(fixture.folder);
        QCOMPARE(restored.databasePath,
                 QDir::toNativeSeparators(unpacked.filePath(u"sample.mdb"_qs)));
        QCOMPARE(restored.table, u"Master"_qs);
        for (const QString& name : {SettingsFiles::layout, SettingsFiles::printAdjustments})
            QCOMPARE(test::SettingsFixture::readBytes(fixture.settingsPath(name)),
                     test::SettingsFixture::readBytes(unpacked.filePath(name)));

        // Only a bare file name is resolved; paths of either platform stay.
        const QString copy = unpacked.filePath(SettingsFiles::dataSource);
        for (const QString& database : {u"C:\\data\\shop.mdb"_qs, u"/srv/shop.mdb"_qs,
                                        u"data/shop.mdb"_qs, u"d:shop.mdb"_qs}) {
            replaceSettingsFile(copy, SettingsColumns::dataSource(),
                                {database, u"Master"_qs, u"select * from "_qs});
            const QByteArray bytes = test::SettingsFixture::readBytes(copy);
            QCOMPARE(restoredDefaultCopy(copy, bytes), bytes);
        }
        // A bare name is resolved in the two rows; what follows them is kept
        // as it is, whatever its bytes.
        replaceSettingsFile(copy, SettingsColumns::dataSource(),
                            {u"sample.mdb"_qs, u"Master"_qs, u"select * from "_qs});
        const QByteArray bareName = test::SettingsFixture::readBytes(copy);
        const QByteArray tail = QByteArrayLiteral("\"\x85\x40\"\r\n\0\xFF");
        QVERIFY(restoredDefaultCopy(copy, bareName) != bareName);
        QCOMPARE(restoredDefaultCopy(copy, bareName + tail),
                 restoredDefaultCopy(copy, bareName) + tail);
        // A bare name in a folder Shift-JIS cannot spell fails loudly instead of
        // restoring a data source that points nowhere.
        const QString unspellable = fixture.temp.filePath(u"😀"_qs);
        QVERIFY(QDir().mkpath(unspellable));
        const QString strandedCopy = QDir(unspellable).filePath(SettingsFiles::dataSource);
        replaceSettingsFile(strandedCopy, SettingsColumns::dataSource(),
                            {u"sample.mdb"_qs, u"Master"_qs, u"select * from "_qs});
        QVERIFY_THROWS_EXCEPTION(
            Error,
            restoredDefaultCopy(strandedCopy, test::SettingsFixture::readBytes(strandedCopy)));
    }
};

QTEST_GUILESS_MAIN(TestShippedDefaults)
#include "tst_shippeddefaults.moc"
