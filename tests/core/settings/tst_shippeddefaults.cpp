// The default copies written at build time are complete settings files that
// both read paths accept.
#include "core/datasource/databaseprovider.h"
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

        QCOMPARE(readSettingsRows(built.filePath(SettingsFiles::furnitureSlip), 99).header,
                 SettingsColumns::furnitureSlip());
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
    }
};

QTEST_GUILESS_MAIN(TestShippedDefaults)
#include "tst_shippeddefaults.moc"
