#pragma once

#include <QByteArray>
#include <QString>

class QDir;

namespace hakobee {

// A finished print job, and where it goes from there. The canvas builds
// each job whole before it hands it on, so that an aborted job leaves
// nothing behind: only deliver() passes it to the printer or the folder.
class PrintJobOutput
{
public:
    static constexpr const char* pdfFormat = "application/pdf";
    static constexpr const char* cupsRasterFormat = "application/vnd.cups-raster";

    virtual ~PrintJobOutput() = default;

    // The folder for spool files, on the same file system as the
    // destination where that matters. Throws hakobee::Error when it cannot
    // be made.
    virtual QString spoolFolder() = 0;

    // The job's bytes and their MIME type (pdfFormat or cupsRasterFormat).
    struct Document
    {
        QByteArray bytes;
        const char* format = pdfFormat;
    };

    struct Job
    {
        Document document;
        QString title;
        QString paperKey; // the page size's printer name, such as "A4" or "w162h90"
        bool landscape = false;
        bool duplexLongEdge = false;
        bool duplexShortEdge = false;
        // The labels the one document stands for: printed this many times.
        int copies = 1;
    };
    // Hands the job on; throws hakobee::Error when it cannot.
    virtual void deliver(const Job& job) = 0;
};

// Writes each job as its own numbered file, label-000001.pdf and up, into a
// folder: the printer of an installation with no printer installed. A job
// of several copies is that many files, one a label.
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
    void writeFile(const QDir& folder, const QByteArray& document);

    QString folder_;
    // The number the next file is given; 0 until the folder was listed.
    int nextNumber_ = 0;
};

// Sends each job to a CUPS queue, streamed to the spooler as one document
// of the job's own type, with the paper, sides and copies as job options.
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
