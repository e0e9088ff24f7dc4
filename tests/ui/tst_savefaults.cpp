// Every screen that saves settings, on a settings folder that refuses the
// write: a full disk and a read-only file system. The operator is told the
// file could not be written and that the old one is unchanged, the screen
// stays open, and every settings file keeps its bytes.
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/openscreens.h"
#include "support/printerfixture.h"
#include "support/shellfixture.h"
#include "support/unwritablefolder.h"
#include "ui/screens/connectiontypescreen.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/paperselectionscreen.h"
#include "ui/screens/positionadjustmentscreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;
using Refusal = UnwritableFolder::Refusal;

namespace {

// The files of the folder and their bytes.
QMap<QString, QByteArray> contentsOf(const QString& folder)
{
    QMap<QString, QByteArray> contents;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        contents.insert(name, SettingsFixture::readBytes(QDir(folder).filePath(name)));
    return contents;
}

template<class T> T* control(QWidget* screen, const char* name)
{
    T* found = screen->findChild<T*>(QString::fromUtf8(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace

class SaveFaultsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ShellFixture> shell;
    std::unique_ptr<UnwritableFolder> unwritable;
    std::unique_ptr<PrinterFixture> printers;
    int casesPassed = 0;
    bool refusedByFileSystem = false;

    // Opens the screen, changes what it will save and presses its save
    // button. Returns the screen, or null when it did not open.
    QWidget* changeAndSave(const QString& screen)
    {
        if (screen == u"setOracle Command4"_qs || screen == u"setOracle Command2"_qs) {
            auto* form = shell->screens.open<DataSourceScreen>();
            if (!form)
                return nullptr;
            control<QLineEdit>(form, "Text1")->setText(u"/data/新しい.mdb"_qs);
            control<QLineEdit>(form, "Text4")->setText(u"ﾏｽﾀ"_qs);
            control<QPlainTextEdit>(form, "Text5")->setPlainText(u"select bar,hi,mei,as2 from"_qs);
            control<QPushButton>(form, screen.endsWith(u'4') ? "Command4" : "Command2")->click();
            return form;
        }
        if (screen == u"Form13"_qs) {
            auto* form = shell->screens.open<PositionAdjustmentScreen>();
            if (!form)
                return nullptr;
            auto* slider = control<QSlider>(form, "Slider1");
            slider->setValue(slider->value() == 5 ? 4 : 5);
            control<QPushButton>(form, "Command1")->click();
            return form;
        }
        if (screen == u"Form3"_qs) {
            auto* form = shell->screens.open<LayoutSelectionScreen>();
            if (!form)
                return nullptr;
            control<QLineEdit>(form, "Text1")->setText(u"ハコビー商店, 本店"_qs);
            control<QRadioButton>(form, "Option1(0)")->click();
            control<QPushButton>(form, "Command4")->click();
            return form;
        }
        if (screen == u"Form7"_qs) {
            auto* form = shell->screens.open<PaperSelectionScreen>();
            if (!form)
                return nullptr;
            control<QLineEdit>(form, "Text5")->setText(u"256"_qs);
            control<QPushButton>(form, "Command3")->click();
            return form;
        }
        auto* form = shell->screens.open<ConnectionTypeScreen>();
        if (!form)
            return nullptr;
        control<QRadioButton>(form, "Option1(1)")->click();
        control<QPushButton>(form, "Command1")->click();
        return form;
    }

    // What the screen told the operator about the failed save.
    QString toldAfterSave(const QString& screen, QWidget* form) const
    {
        if (screen == u"Form17"_qs) {
            // The line on the screen; the reason is its tool tip.
            auto* line = control<QLabel>(form, "Label2");
            return line->text() + u'\n' + line->toolTip();
        }
        return shell->messages.shown.isEmpty() ? QString() : shell->messages.shown.last().text;
    }

private slots:
    void init()
    {
        shell = std::make_unique<ShellFixture>();
        unwritable = std::make_unique<UnwritableFolder>(shell->settings.folder.folderPath());
        shell->settings.installDefaults();
        SettingsFixture::writeLayout(shell->settings.settingsPath(SettingsFiles::layout), u"ﾄｸ"_qs);
        printers = std::make_unique<PrinterFixture>(
            shell->context, shell->messages,
            QList<FakePrinter>{PrinterFixture::labelPrinter(u"Label Printer"_qs)});
    }

    void cleanup()
    {
        closeAllScreens();
        printers.reset();
        unwritable.reset();
        shell.reset();
    }

    void refusedSaveIsToldAndEveryFileKeepsItsBytes_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("refusalCode");
        QTest::addColumn<QString>("file");
        const struct
        {
            const char* screen;
            QString file;
        } screens[] = {
            {"setOracle Command4", SettingsFiles::dataSource},
            {"setOracle Command2", SettingsFiles::dataSource},
            {"Form13", SettingsFiles::printAdjustments},
            {"Form3", SettingsFiles::layout},
            {"Form7", SettingsFiles::layout},
            {"Form17", SettingsFiles::layout},
        };
        for (const auto& screen : screens) {
            QTest::addRow("%s, full disk", screen.screen)
                << QString::fromUtf8(screen.screen) << int(Refusal::FullDisk) << screen.file;
            QTest::addRow("%s, read-only folder", screen.screen)
                << QString::fromUtf8(screen.screen) << int(Refusal::ReadOnly) << screen.file;
        }
    }

    void refusedSaveIsToldAndEveryFileKeepsItsBytes()
    {
        QFETCH(QString, screen);
        QFETCH(int, refusalCode);
        QFETCH(QString, file);
        const auto refusal = Refusal(refusalCode);
        if (!unwritable->canRefuse(refusal))
            QSKIP(qPrintable(u"root can write anywhere without a file system of its own, and "
                             u"mounting one failed: "_qs +
                             unwritable->mountError()));
        const QString folder = shell->settings.folder.folderPath();
        const QMap<QString, QByteArray> before = contentsOf(folder);
        QVERIFY(unwritable->refuseWrites(refusal));

        QWidget* form = changeAndSave(screen);
        QVERIFY(form);
        const QString told = toldAfterSave(screen, form);
        if (screen == u"Form17"_qs)
            QVERIFY2(told.startsWith(u"プリンター設定エラー1525\n"_qs), qPrintable(told));
        QVERIFY2(told.contains(file) && told.contains(u"元のファイルはそのままです"_qs),
                 qPrintable(told));
        // The reason the system gave, not what the save did about it.
        QVERIFY2(told.contains(unwritable->reason(refusal)), qPrintable(told));
        QVERIFY(form->isVisible());

        QMap<QString, QByteArray> after = contentsOf(folder);
        after.remove(UnwritableFolder::fillerName());
        QCOMPARE(after.keys(), before.keys());
        QVERIFY(after == before);
        ++casesPassed;
        refusedByFileSystem = unwritable->mountError().isEmpty();
    }

    void cleanupTestCase()
    {
        qInfo("reliability: save-faults cases=%d refused-by=%s", casesPassed,
              refusedByFileSystem ? "tmpfs-full-or-read-only" : "size-limit-or-permissions");
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_savefaults.moc"
