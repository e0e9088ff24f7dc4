#pragma once

#include "platform/printing/printjoboutput.h"

#include <QByteArray>
#include <QString>

class QPrinter;

namespace hakobee {

// A unique file in a spool folder holding one job until the output takes
// it; removed on destruction unless the output moved it away.
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

// The job as the output receives it: the document with the title, paper
// and sides the printer is set to. The paper is the page size's key unless
// the printer's own name for it is given.
PrintJobOutput::Job printJob(const QPrinter& printer, PrintJobOutput::Document document,
                             const QString& title, const QString& paperKey = {});

} // namespace hakobee
