#pragma once

#include "platform/printing/printjoboutput.h"

#include <QByteArray>
#include <QString>

class QPrinter;

namespace hakobee {

// A unique file in a spool folder holding one job's PDF until the output
// takes it; removed on destruction unless the output moved it away.
class SpoolFile
{
public:
    // Throws hakobee::Error when the file cannot be made or written.
    explicit SpoolFile(const QString& folder, const QByteArray& contents = {});
    ~SpoolFile();
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    const QString& path() const { return path_; }

private:
    QString path_;
};

// The job as the output receives it: the spool file with the title, paper
// and sides the printer is set to.
PrintJobOutput::Job spooledJob(const QPrinter& printer, const QString& spoolFile,
                               const QString& title);

} // namespace hakobee
