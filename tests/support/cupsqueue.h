#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <cups/cups.h>

#include <unistd.h>

namespace hakobee::test {

// Runs a CUPS administration tool (lpadmin, cancel, cupsenable, ...); true
// when it ran and succeeded. Its standard output goes to `output` when given.
inline bool runCupsTool(const QString& program, const QStringList& arguments,
                        QString* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(30000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return ran;
}

// The jobs of a queue that reached it, done or not (or only those asked for).
inline int queueJobCount(const QString& queue, int whichJobs = CUPS_WHICHJOBS_ALL)
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, whichJobs);
    cupsFreeJobs(count, jobs);
    return count;
}

// Waits until the queue has no job left to do; false on timing out.
inline bool waitUntilQueueIdle(const QString& queue, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (queueJobCount(queue, CUPS_WHICHJOBS_ACTIVE) > 0) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// A cups-pdf queue of the test's own on the local CUPS spooler (readied by
// scripts/cups-setup.sh), so that stopping it or making it refuse jobs
// disturbs no other test printing at the same time. Removed, with its jobs,
// on destruction. Needs root, as lpadmin does.
class CupsQueue
{
public:
    explicit CupsQueue(const QString& purpose)
        : name_(u"hakobee-%1-%2"_qs.arg(purpose).arg(::getpid()))
    {
        ready_ = run(u"lpadmin"_qs, {u"-p"_qs, name_, u"-E"_qs, u"-v"_qs, u"cups-pdf:/"_qs,
                                     u"-P"_qs, u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_qs});
    }
    ~CupsQueue()
    {
        run(u"cancel"_qs, {u"-a"_qs, u"-x"_qs, name_});
        run(u"lpadmin"_qs, {u"-x"_qs, name_});
    }
    CupsQueue(const CupsQueue&) = delete;
    CupsQueue& operator=(const CupsQueue&) = delete;

    bool isReady() const { return ready_; }
    const QString& name() const { return name_; }

    // Stopped: jobs are taken and held until it is started again.
    bool stop() { return run(u"cupsdisable"_qs, {name_}); }
    bool start() { return run(u"cupsenable"_qs, {name_}); }
    // Refusing: new jobs are turned away, as when the queue is full.
    bool refuse() { return run(u"cupsreject"_qs, {name_}); }
    bool accept() { return run(u"cupsaccept"_qs, {name_}); }

    // The jobs that reached the queue, done or not.
    int jobCount(int whichJobs = CUPS_WHICHJOBS_ALL) const
    {
        return queueJobCount(name_, whichJobs);
    }
    bool waitUntilIdle(int milliseconds) const { return waitUntilQueueIdle(name_, milliseconds); }

private:
    static bool run(const QString& program, const QStringList& arguments)
    {
        return runCupsTool(program, arguments);
    }

    QString name_;
    bool ready_ = false;
};

} // namespace hakobee::test
