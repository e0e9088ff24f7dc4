#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace hakobee::test {

// One run of a program to its end, with what it wrote.
struct ProgramRun
{
    int exitCode = -1; // -1 when it crashed or did not end in time
    QString out;
    QString err;
};

inline ProgramRun
runToEnd(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
         int timeoutMs = 60'000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended)
        process.kill();
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The environment of a terminal, a cron job or a service without a windowing
// system: no display of any kind and no Qt platform chosen.
inline QProcessEnvironment environmentWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_qs);
    environment.remove(u"WAYLAND_DISPLAY"_qs);
    environment.remove(u"QT_QPA_PLATFORM"_qs);
    return environment;
}

} // namespace hakobee::test
