#pragma once

#include <QString>

namespace hakobee {

// A finished print job as a PDF file, and where it goes from there. The
// canvas draws each job into a spool file first, so that an aborted job
// leaves nothing behind: only deliver() hands it on.
class PrintJobOutput
{
public:
    virtual ~PrintJobOutput() = default;

    // The folder for spool files, on the same file system as the
    // destination where that matters. Throws hakobee::Error when it cannot
    // be made.
    virtual QString spoolFolder() = 0;

    struct Job
    {
        QString spoolFile; // the PDF; removed by the caller afterwards if still there
        QString title;
        QString paperKey; // the page size's printer name, such as "A4"
        bool landscape = false;
        bool duplexLongEdge = false;
        bool duplexShortEdge = false;
    };
    // Hands the job on; throws hakobee::Error when it cannot.
    virtual void deliver(const Job& job) = 0;
};

// Writes each job as its own numbered file, label-000001.pdf and up, into a
// folder: the printer of an installation with no printer installed.
class PdfFolderOutput : public PrintJobOutput
{
public:
    explicit PdfFolderOutput(QString folder) : folder_(std::move(folder)) {}

    const QString& folder() const { return folder_; }
    QString spoolFolder() override;
    void deliver(const Job& job) override;

    // The folder used when none is given: "hakobee-labels" in the user's
    // documents folder, or in the home folder when there is none.
    static QString defaultFolder();

private:
    QString folder_;
    // The number the next file is given; 0 until the folder was listed.
    int nextNumber_ = 0;
};

// Sends each job to a CUPS queue.
class CupsOutput : public PrintJobOutput
{
public:
    explicit CupsOutput(QString queue) : queue_(std::move(queue)) {}

    QString spoolFolder() override;
    void deliver(const Job& job) override;
    // The CUPS job id of the last delivered job, 0 before the first.
    int lastJobId() const { return lastJobId_; }

private:
    QString queue_;
    int lastJobId_ = 0;
};

} // namespace hakobee
