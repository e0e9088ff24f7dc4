// The print position adjustment screen: three sliders whose shown value is
// the saved one however they are moved, the 96 other columns of
// nimbeconfig5.txt carried through unchanged, stored values it cannot show
// and files it cannot read, and the menu item that opens it.
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/openscreens.h"
#include "support/shellfixture.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/mainwindow.h"
#include "ui/screens/positionadjustmentscreen.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

// A data row as operators' files hold it: paths, half-width katakana (whose
// Shift-JIS bytes are valid UTF-8 too), kanji, circled digits, full-width
// blanks and digits, commas inside values, and empty values.
QStringList operatorsRow(const QString& size1, const QString& size2, const QString& size3)
{
    QStringList row{u"C:\\伝票"_qs, u"家具.txt"_qs, size1, size2, size3, u"ﾊｲﾃｸ"_qs};
    const QStringList samples{u"ﾄｸ"_qs,  QString(),    u"①②"_qs, u"１２３"_qs,
                              u"a,b"_qs, u"棚　札"_qs, u"髙"_qs, QString()};
    for (int number = 2; number <= 90; ++number)
        row.append(samples[number % samples.size()]);
    row << u"株式会社ﾊｲﾃｸ"_qs << u"123-4567"_qs << u"東京都　港区"_qs << u"03-1234-5678"_qs;
    return row;
}

} // namespace

class PositionAdjustmentScreenTest : public QObject
{
    Q_OBJECT

private:
    QString slipPath() const
    {
        return shell->settings.settingsPath(SettingsFiles::printAdjustments);
    }
    void storeSlip(const QStringList& values)
    {
        replaceSettingsFile(slipPath(), SettingsColumns::printAdjustments(), values);
    }
    // The bytes the program writes for a row in the file's own column order.
    QByteArray bytesOf(const QStringList& values) const
    {
        const QString path = shell->settings.temp.filePath(u"expected.txt"_qs);
        replaceSettingsFile(path, SettingsColumns::printAdjustments(), values);
        return SettingsFixture::readBytes(path);
    }

    PositionAdjustmentScreen* openForm13()
    {
        return shell->screens.open<PositionAdjustmentScreen>();
    }
    template<class T> T* control(const char* name) const
    {
        return shell->screens.find<PositionAdjustmentScreen>()->findChild<T*>(
            QString::fromUtf8(name));
    }
    QString shown(const char* name) const { return control<QLabel>(name)->text(); }
    void save() { control<QPushButton>("Command1")->click(); }

    std::unique_ptr<ShellFixture> shell;

private slots:
    void init()
    {
        shell = std::make_unique<ShellFixture>();
        shell->settings.installDefaults();
    }
    void cleanup()
    {
        closeAllScreens();
        shell.reset();
    }

    void theEndsAndAKeyboardStepSaveWhatTheLabelsShow()
    {
        storeSlip(operatorsRow(u"3"_qs, u"-2"_qs, u"0"_qs));
        PositionAdjustmentScreen* form = openForm13();
        QVERIFY(form);
        QCOMPARE(form->objectName(), u"Form13"_qs);
        QCOMPARE(form->windowTitle(), u"印刷位置調整"_qs);
        QCOMPARE(shown("Label14"), u"3"_qs);
        QCOMPARE(shown("Label15"), u"-2"_qs);
        QCOMPARE(control<QSlider>("Slider1")->value(), 3);
        QCOMPARE(control<QSlider>("Slider2")->value(), -2);
        QCOMPARE(control<QSlider>("Slider3")->minimum(), -20);
        QCOMPARE(control<QSlider>("Slider3")->maximum(), 20);

        QTest::keyClick(control<QSlider>("Slider1"), Qt::Key_Home);
        QTest::keyClick(control<QSlider>("Slider2"), Qt::Key_End);
        QTest::keyClick(control<QSlider>("Slider3"), Qt::Key_Left);
        QCOMPARE(shown("Label14"), u"-20"_qs);
        QCOMPARE(shown("Label15"), u"20"_qs);
        QCOMPARE(shown("Label16"), u"-1"_qs);
        save();
        QCOMPARE(SettingsFixture::readBytes(slipPath()),
                 bytesOf(operatorsRow(u"-20"_qs, u"20"_qs, u"-1"_qs)));
        QCOMPARE(shell->messages.shown.size(), 1);
        QCOMPARE(shell->messages.shown.first().text, u"設定が変更されました｡"_qs);
        QCOMPARE(shell->messages.shown.first().title, u"設定変更"_qs);
        QCOMPARE(shell->messages.shown.first().icon, MessageIcon::Information);
    }

    void savingUntouchedWritesWhatWasLoadedUnderThe99Names()
    {
        // The columns in another order and letter case: the values are
        // taken by name and written back in the file's own order.
        QStringList names = SettingsColumns::printAdjustments();
        QStringList values = operatorsRow(u"05"_qs, u"-20"_qs, u"20"_qs);
        std::reverse(names.begin(), names.end());
        std::reverse(values.begin(), values.end());
        names[0] = names[0].toLower();
        replaceSettingsFile(slipPath(), names, values);

        openForm13();
        QCOMPARE(shown("Label14"), u"05"_qs);
        QCOMPARE(control<QSlider>("Slider1")->value(), 5);
        save();
        QCOMPARE(SettingsFixture::readBytes(slipPath()),
                 bytesOf(operatorsRow(u"05"_qs, u"-20"_qs, u"20"_qs)));
    }

    void storedValuesOutOfRangeAreShownAsTheNearestAndSaid()
    {
        storeSlip(operatorsRow(u"25"_qs, u"2.5"_qs, QString()));
        const QByteArray before = SettingsFixture::readBytes(slipPath());
        openForm13();
        QCOMPARE(shown("Label14"), u"20"_qs);
        QCOMPARE(shown("Label15"), u"3"_qs);
        QCOMPARE(shown("Label16"), u"0"_qs);
        QCOMPARE(control<QSlider>("Slider1")->value(), 20);
        QCOMPARE(shell->messages.shown.size(), 1);
        QCOMPARE(shell->messages.shown.first().icon, MessageIcon::Exclamation);
        for (const QString& named : {u"SIZE1「25」"_qs, u"SIZE2「2.5」"_qs, u"SIZE3「」"_qs})
            QVERIFY2(shell->messages.shown.first().text.contains(named), qPrintable(named));
        // Nothing is written before the operator saves.
        QCOMPARE(SettingsFixture::readBytes(slipPath()), before);
        save();
        QCOMPARE(SettingsFixture::readBytes(slipPath()),
                 bytesOf(operatorsRow(u"20"_qs, u"3"_qs, u"0"_qs)));
    }

    void aFileItCannotReadOrWriteIsSaidAndLeftAlone()
    {
        // A column missing: the screen does not open.
        QStringList names = SettingsColumns::printAdjustments();
        QStringList values = operatorsRow(u"1"_qs, u"2"_qs, u"3"_qs);
        names.removeLast();
        values.removeLast();
        replaceSettingsFile(slipPath(), names, values);
        const QByteArray before = SettingsFixture::readBytes(slipPath());
        QVERIFY(!openForm13());
        QCOMPARE(shell->messages.shown.size(), 1);
        QVERIFY(shell->messages.shown.first().text.contains(u"TEL"_qs));
        QCOMPARE(SettingsFixture::readBytes(slipPath()), before);

        // A save that cannot replace the file: said, and the screen stays.
        storeSlip(operatorsRow(u"1"_qs, u"2"_qs, u"3"_qs));
        PositionAdjustmentScreen* form = openForm13();
        QVERIFY(form);
        QVERIFY(QFile::remove(slipPath()));
        QVERIFY(QDir().mkpath(slipPath()));
        save();
        QCOMPARE(shell->messages.shown.size(), 2);
        QCOMPARE(shell->messages.shown.last().icon, MessageIcon::Exclamation);
        QCOMPARE(shell->screens.find<PositionAdjustmentScreen>(), form);
    }

    void theMenuItemOpensItAndSavingClosesTheDataSourceScreenToo()
    {
        storeSlip(operatorsRow(u"0"_qs, u"0"_qs, u"0"_qs));
        MainWindow window(shell->context);
        window.show();
        window.load();
        window.menuItem(u"set2"_qs)->trigger();
        QPointer<DataSourceScreen> dataSource = shell->screens.find<DataSourceScreen>();
        QVERIFY(dataSource);
        QAction* item = window.menuItem(u"印刷位置調整"_qs);
        QVERIFY(item->isEnabled());
        item->trigger();
        QPointer<PositionAdjustmentScreen> form = shell->screens.find<PositionAdjustmentScreen>();
        QVERIFY(form && form->isVisible());
        save();
        QTRY_VERIFY(form.isNull());
        QTRY_VERIFY(dataSource.isNull());
    }
};

QTEST_MAIN(PositionAdjustmentScreenTest)
#include "tst_positionadjustmentscreen.moc"
