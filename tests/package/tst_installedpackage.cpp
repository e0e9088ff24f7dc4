// The Debian package as a new user gets it: unpacked into a fresh folder,
// the installed program started with an empty settings root restores its
// defaults, finds its sample database and prints the sample's labels.
#include "core/makersite.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfolder.h"
#include "support/barcodescan.h"
#include "support/programrun.h"
#include "testdata/sampleproducts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

class TestInstalledPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir unpacked;
    QString package;
    QTemporaryDir settingsRoot;

    QString installed(const QString& path) const { return unpacked.filePath(path); }
    QString program() const { return installed(u"usr/bin/hakobee"_qs); }

    static QStringList sampleBarcodes()
    {
        QStringList codes;
        for (const testdata::SampleProduct& product : testdata::sampleProducts())
            codes.append(product.barcode);
        return codes;
    }

private slots:
    void initTestCase()
    {
        const QFileInfoList packages =
            QDir(QStringLiteral(HAKOBEE_PACKAGE_DIR))
                .entryInfoList({u"hakobee_*.deb"_qs}, QDir::Files, QDir::Time);
        QVERIFY2(!packages.isEmpty(), "no hakobee_*.deb: the package_build test makes it");
        package = packages.first().filePath();
        const ProgramRun unpack = runToEnd(u"dpkg-deb"_qs, {u"-x"_qs, package, unpacked.path()});
        QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
    }

    void packageHoldsTheProgramItsDataAndItsDesktopEntry()
    {
        QVERIFY(QFileInfo(program()).isExecutable());
        for (const QString& file :
             {u"nimbeconfig.txt"_qs, u"nimbeconfig2.txt"_qs, u"nimbeconfig4.txt"_qs,
              u"nimbeconfig5.txt"_qs, u"sample.mdb"_qs})
            QVERIFY2(QFileInfo(installed(u"usr/share/hakobee/"_qs + file)).isFile(),
                     qPrintable(file));
        for (const QString& page : {u"ora.htm"_qs, u"qqq.htm"_qs, u"tolform2/form.html"_qs})
            QVERIFY2(QFileInfo(installed(u"usr/share/hakobee/pages/"_qs + page)).isFile(),
                     qPrintable(page));
        for (const QString& icon : {u"usr/share/icons/hicolor/scalable/apps/hakobee.svg"_qs,
                                    u"usr/share/icons/hicolor/48x48/apps/hakobee.png"_qs,
                                    u"usr/share/icons/hicolor/256x256/apps/hakobee.png"_qs})
            QVERIFY2(QFileInfo(installed(icon)).isFile(), qPrintable(icon));
        QCOMPARE(QImage(installed(u"usr/share/icons/hicolor/48x48/apps/hakobee.png"_qs)).size(),
                 QSize(48, 48));

        const QString desktop = installed(u"usr/share/applications/hakobee.desktop"_qs);
        const ProgramRun validate = runToEnd(u"desktop-file-validate"_qs, {desktop});
        QVERIFY2(validate.exitCode == 0 && validate.out.isEmpty(), qPrintable(validate.out));

        // The manual page renders without a complaint from the formatter.
        QProcess man;
        man.setStandardOutputFile(QProcess::nullDevice());
        man.start(u"sh"_qs, {u"-c"_qs, u"zcat \"$1\" | groff -man -Tutf8 -ww -z"_qs, u"sh"_qs,
                             installed(u"usr/share/man/man1/hakobee.1.gz"_qs)});
        QVERIFY(man.waitForFinished(30'000));
        QCOMPARE(man.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(man.readAllStandardError()), QString());
    }

    // The page buttons' own test, run from the installed program's folder:
    // every button opens a page of the installation, whose links and
    // pictures are there too.
    void pageButtonsOpenTheInstalledPages()
    {
        if (!configuredMakerSite().isEmpty())
            QSKIP("the build names the maker's site: the buttons open its pages");
        const QString test = installed(u"usr/bin/tst_pagebuttons"_qs);
        QFile::remove(test);
        QVERIFY(QFile::copy(QStringLiteral(HAKOBEE_PAGE_BUTTONS_TEST), test));
        QProcessEnvironment environment = environmentWithoutDisplay();
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        const ProgramRun run = runToEnd(test, {}, environment);
        QFile::remove(test);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(u"0 failed, 0 skipped"_qs), qPrintable(run.out));
    }

    void dependsOnTheRuntimePackages()
    {
        const ProgramRun fields = runToEnd(u"dpkg-deb"_qs, {u"-f"_qs, package, u"Depends"_qs});
        QCOMPARE(fields.exitCode, 0);
        for (const QString& runtime :
             {u"libqt6widgets6"_qs, u"libqt6printsupport6"_qs, u"qt6-qpa-plugins"_qs, u"libmdb3"_qs,
              u"libzint"_qs, u"libsqlite3-0"_qs, u"fonts-noto-cjk"_qs})
            QVERIFY2(fields.out.contains(runtime), qPrintable(fields.out));
        // Nothing needed only to build: no -dev package, no tool.
        QVERIFY2(!fields.out.contains(u"-dev"_qs), qPrintable(fields.out));
    }

    // The first thing an operator may run from the package: the command,
    // on a settings folder that does not exist yet.
    void printOnAnEmptySettingsFolderRestoresTheDefaultsAndPrintsTheSample()
    {
        const QProcessEnvironment noDisplay = environmentWithoutDisplay();
        QTemporaryDir emptyRoot;
        QTemporaryDir labels;
        const ProgramRun print = runToEnd(
            program(),
            {u"print"_qs, u"--settings-root"_qs, emptyRoot.path(), u"--pdf"_qs, labels.path()},
            noDisplay);
        QVERIFY2(print.exitCode == 0, qPrintable(print.err));
        const QFileInfoList pdfs =
            QDir(labels.path()).entryInfoList({u"*.pdf"_qs}, QDir::Files, QDir::Name);
        const QStringList codes = sampleBarcodes();
        QCOMPARE(pdfs.size(), codes.size());
        for (qsizetype i = 0; i < pdfs.size(); ++i) {
            const ScanResult scan = scanPrintedPdf(pdfs[i].filePath());
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            const QString symbology = codes[i].size() == 8 ? u"EAN-8:"_qs : u"EAN-13:"_qs;
            QCOMPARE(scan.symbols, QStringList{symbology + codes[i]});
        }

        // The restored data source names the installed sample, and the query
        // command reads it.
        const DataSourceSettings dataSource = readDataSourceRows(SettingsFolder(emptyRoot.path()));
        QCOMPARE(dataSource.databasePath,
                 QDir::toNativeSeparators(installed(u"usr/share/hakobee/sample.mdb"_qs)));
        const ProgramRun query = runToEnd(program(),
                                          {u"query"_qs, u"--db"_qs, dataSource.databasePath,
                                           u"--sql"_qs, dataSource.selectText + dataSource.table},
                                          noDisplay);
        QVERIFY2(query.exitCode == 0, qPrintable(query.err));
        QCOMPARE(query.out.split(u'\n', Qt::SkipEmptyParts).size(), codes.size() + 1);
    }

    void firstStartRestoresTheDefaultsAndFindsTheSample()
    {
        QCOMPARE(runToEnd(program(), {u"--version"_qs}, environmentWithoutDisplay()).out,
                 u"hakobee 2.0.5\n"_qs);

        // The window on an offscreen display, until the main menu has put
        // the restored settings in place.
        QProcessEnvironment environment = environmentWithoutDisplay();
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        QProcess window;
        window.setProcessEnvironment(environment);
        window.setWorkingDirectory(settingsRoot.path());
        window.start(program(), {u"--settings-root"_qs, settingsRoot.path()});
        QVERIFY(window.waitForStarted());
        const SettingsFolder folder(settingsRoot.path());
        const auto allRestored = [&folder] {
            for (const QString& name : SettingsFiles::all()) {
                if (!QFileInfo(folder.filePath(name)).isFile())
                    return false;
            }
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(allRestored() || window.state() == QProcess::NotRunning, 30'000);
        QVERIFY2(allRestored(), window.readAllStandardError().constData());
        window.terminate();
        window.waitForFinished(10'000);

        // The restored data source names the sample that came with the package.
        const DataSourceSettings dataSource = readDataSourceRows(folder);
        QCOMPARE(dataSource.databasePath,
                 QDir::toNativeSeparators(installed(u"usr/share/hakobee/sample.mdb"_qs)));
        const ProgramRun query = runToEnd(program(),
                                          {u"query"_qs, u"--db"_qs, dataSource.databasePath,
                                           u"--sql"_qs, dataSource.selectText + dataSource.table},
                                          environmentWithoutDisplay());
        QVERIFY2(query.exitCode == 0, qPrintable(query.err));
        QStringList lines = query.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.takeFirst(), u"bar,hi,mei,as2"_qs);
        QStringList barcodes;
        for (const QString& line : lines)
            barcodes.append(line.section(u',', 0, 0));
        QCOMPARE(barcodes, sampleBarcodes());
    }
};

QTEST_GUILESS_MAIN(TestInstalledPackage)
#include "tst_installedpackage.moc"
