// The one way every subcommand reads its options: what is read, and the one
// sentence that says what is wrong.

#include "cli/commandoptions.h"

#include <QTest>

#include <vector>

using namespace hakobee;

namespace {

struct Read
{
    CommandOptions::Reading reading;
    CommandOptions options;
};

// The words after "hakobee print", read with --rows and --pdf taking values
// and --calibration-label a switch.
Read readWords(const QStringList& words)
{
    std::vector<QByteArray> bytes{"hakobee", "print"};
    for (const QString& word : words)
        bytes.push_back(word.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : bytes)
        argv.push_back(word.data());
    Read read{CommandOptions::Reading::Wrong, {}};
    read.options.withValue(u"--rows"_qs)
        .withValue(u"--pdf"_qs)
        .withSwitch(u"--calibration-label"_qs);
    read.reading = read.options.read(int(argv.size()), argv.data());
    return read;
}

} // namespace

class TestCommandOptions : public QObject
{
    Q_OBJECT

private slots:
    void valuesSwitchesAndHelp()
    {
        const Read read = readWords({u"--rows"_qs, u"1-2"_qs, u"--pdf=/tmp/a=b"_qs,
                                     u"--calibration-label"_qs, u"--rows"_qs, u"3-4"_qs});
        QCOMPARE(read.reading, CommandOptions::Reading::Read);
        QCOMPARE(read.options.value(u"--rows"_qs), u"3-4"_qs); // the last one counts
        QCOMPARE(read.options.value(u"--pdf"_qs), u"/tmp/a=b"_qs);
        QVERIFY(read.options.isSet(u"--calibration-label"_qs));
        QVERIFY(!readWords({u"--rows"_qs, u"1-2"_qs}).options.isSet(u"--pdf"_qs));
        // A value is taken as it is, even one that looks like an option.
        QCOMPARE(readWords({u"--pdf"_qs, u"--rows"_qs}).options.value(u"--pdf"_qs), u"--rows"_qs);

        QCOMPARE(readWords({u"-h"_qs}).reading, CommandOptions::Reading::Help);
        QCOMPARE(readWords({u"--help"_qs}).reading, CommandOptions::Reading::Help);
        QCOMPARE(readWords({u"--help"_qs, u"--calibration-label"_qs}).reading,
                 CommandOptions::Reading::Wrong);
    }

    void wrongCommandLinesSayWhatIsWrong_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown option")
            << QStringList{u"--colour"_qs, u"red"_qs} << u"知らないオプション「--colour」です。"_qs;
        QTest::newRow("unknown option with its value")
            << QStringList{u"--colour=red"_qs} << u"知らないオプション「--colour」です。"_qs;
        QTest::newRow("stray word")
            << QStringList{u"labels"_qs} << u"知らないオプション「labels」です。"_qs;
        QTest::newRow("switch with a value")
            << QStringList{u"--calibration-label=1"_qs}
            << u"知らないオプション「--calibration-label」です。"_qs;
        QTest::newRow("value missing at the end")
            << QStringList{u"--rows"_qs, u"1-2"_qs, u"--pdf"_qs} << u"--pdf に値がありません。"_qs;
        QTest::newRow("empty value") << QStringList{u"--pdf="_qs} << u"--pdf の値が空です。"_qs;
        QTest::newRow("empty value apart")
            << QStringList{u"--rows"_qs, QString()} << u"--rows の値が空です。"_qs;
    }

    void wrongCommandLinesSayWhatIsWrong()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, problem);
        const Read read = readWords(words);
        QCOMPARE(read.reading, CommandOptions::Reading::Wrong);
        QCOMPARE(read.options.problem(), problem);
    }
};

QTEST_GUILESS_MAIN(TestCommandOptions)
#include "tst_commandoptions.moc"
