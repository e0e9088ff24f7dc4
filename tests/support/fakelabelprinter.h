#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

namespace hakobee::test {

// One connection the fake label printer took: its bytes in a file, and when
// the first and the last of them arrived (CLOCK_REALTIME nanoseconds).
struct ReceivedJob
{
    int index = 0;
    qint64 firstByteNs = 0;
    qint64 lastByteNs = 0;
    qint64 bytes = 0;
    QString path;
};

// A network label printer on loopback: the tools/fakelabelprinter program
// (its path given, normally HAKOBEE_FAKE_LABEL_PRINTER), started on a free
// port with a folder of its own, and stopped with SIGTERM on destruction. It
// runs as a process of its own, so it takes jobs whatever the test does.
class FakeLabelPrinter
{
public:
    explicit FakeLabelPrinter(const QString& program)
    {
        process_.setProgram(program);
        process_.setArguments({folder_.path()});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(10000))
            return;
        const QDeadlineTimer deadline(10000);
        while (!process_.canReadLine() && !deadline.hasExpired())
            process_.waitForReadyRead(100);
        port_ = process_.readLine().trimmed().toInt();
    }
    ~FakeLabelPrinter()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(5000);
    }
    FakeLabelPrinter(const FakeLabelPrinter&) = delete;
    FakeLabelPrinter& operator=(const FakeLabelPrinter&) = delete;

    bool isReady() const { return port_ > 0 && process_.state() == QProcess::Running; }
    int port() const { return port_; }
    QString folder() const { return folder_.path(); }
    // The device URI a CUPS queue reaches it by.
    QString deviceUri() const { return u"socket://127.0.0.1:%1"_qs.arg(port_); }

    // The jobs received in full so far, in the order they arrived.
    QList<ReceivedJob> jobs() const
    {
        QList<ReceivedJob> jobs;
        QFile log(QDir(folder_.path()).filePath(u"jobs.log"_qs));
        if (!log.open(QIODevice::ReadOnly))
            return jobs;
        while (!log.atEnd()) {
            const QList<QByteArray> fields = log.readLine().simplified().split(' ');
            if (fields.size() != 4)
                continue;
            ReceivedJob job{fields[0].toInt(),
                            fields[1].toLongLong(),
                            fields[2].toLongLong(),
                            fields[3].toLongLong(),
                            {}};
            job.path = QDir(folder_.path())
                           .filePath(u"job-%1.bin"_qs.arg(job.index, 6, 10, QLatin1Char('0')));
            jobs.append(job);
        }
        return jobs;
    }

    // Waits until at least count jobs have arrived; false on timing out.
    bool waitForJobs(qsizetype count, int milliseconds) const
    {
        const QDeadlineTimer deadline(milliseconds);
        while (jobs().size() < count) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

private:
    QTemporaryDir folder_;
    QProcess process_;
    int port_ = 0;
};

} // namespace hakobee::test
