#include "platform/desktop/osversion.h"

#include <QTest>

using namespace hakobee;

class TestOsVersion : public QObject
{
    Q_OBJECT

private slots:
    void windowsForms_data()
    {
        QTest::addColumn<int>("platformId");
        QTest::addColumn<quint32>("major");
        QTest::addColumn<quint32>("minor");
        QTest::addColumn<quint32>("build");
        QTest::addColumn<QString>("text");
        QTest::newRow("95 family") << 1 << 4u << 10u << 2222u << u"Windows 95 or Windows 98"_qs;
        QTest::newRow("XP") << 2 << 5u << 1u << 2600u << u"5.1 (2600)"_qs;
        QTest::newRow("Windows 10") << 2 << 10u << 0u << 19045u << u"10.0 (19045)"_qs;
        QTest::newRow("build above 65535") << 2 << 6u << 2u << 70000u << u"6.2 (4464)"_qs;
        QTest::newRow("build with high word") << 2 << 5u << 0u << 0x08000893u << u"5.0 (2195)"_qs;
        QTest::newRow("other platform") << 3 << 5u << 0u << 100u << QString();
        QTest::newRow("Win32s") << 0 << 3u << 10u << 0u << QString();
    }

    void windowsForms()
    {
        QFETCH(int, platformId);
        QFETCH(quint32, major);
        QFETCH(quint32, minor);
        QFETCH(quint32, build);
        QFETCH(QString, text);
        QCOMPARE(windowsVersionText({platformId, major, minor, build}), text);
    }

    void runningSystemHasAReadableName()
    {
        const QString text = operatingSystemVersionText();
        QVERIFY(!text.isEmpty());
#ifndef Q_OS_WIN
        QVERIFY(text.contains(QSysInfo::kernelVersion()));
#endif
    }
};

QTEST_GUILESS_MAIN(TestOsVersion)
#include "tst_osversion.moc"
