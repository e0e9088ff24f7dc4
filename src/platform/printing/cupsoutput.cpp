#include "platform/printing/printjoboutput.h"

#include "core/error.h"

#include <QDir>

#include <cups/cups.h>

namespace hakobee {

namespace {

// The options list of one job, freed on every path.
class CupsOptions
{
public:
    CupsOptions() = default;
    ~CupsOptions() { cupsFreeOptions(count_, options_); }
    CupsOptions(const CupsOptions&) = delete;
    CupsOptions& operator=(const CupsOptions&) = delete;

    void add(const char* name, const QByteArray& value)
    {
        count_ = cupsAddOption(name, value.constData(), count_, &options_);
    }
    int count() const { return count_; }
    cups_option_t* options() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

} // namespace

QString CupsOutput::spoolFolder()
{
    return QDir::tempPath();
}

void CupsOutput::deliver(const Job& job)
{
    CupsOptions options;
    if (!job.paperKey.isEmpty())
        options.add("media", job.paperKey.toUtf8());
    if (job.duplexLongEdge)
        options.add("sides", "two-sided-long-edge");
    else if (job.duplexShortEdge)
        options.add("sides", "two-sided-short-edge");
    else
        options.add("sides", "one-sided");
    if (job.landscape)
        options.add("landscape", "");
    // The spooler makes the copies: the job is sent once.
    if (job.copies > 1)
        options.add("copies", QByteArray::number(job.copies));

    // A queue name may carry an instance ("queue/instance"); CUPS takes the queue.
    const QByteArray queue = queue_.section(QLatin1Char('/'), 0, 0).toUtf8();
    const auto failure = [this]() {
        return Error(u"プリンタ「%1」に印刷できません。%2"_qs.arg(
            queue_, QString::fromUtf8(cupsLastErrorString())));
    };
    // The document goes to the spooler as it is, with its type named, so
    // the spooler neither guesses the type nor reads it from a file.
    const int jobId =
        cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), job.title.toUtf8().constData(),
                      options.count(), options.options());
    if (jobId == 0)
        throw failure();
    const QByteArray& bytes = job.document.bytes;
    const bool sent =
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), jobId, "label", job.document.format,
                          1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(),
                             static_cast<size_t>(bytes.size())) == HTTP_STATUS_CONTINUE;
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK || !sent) {
        const Error error = failure();
        // A job the spooler holds without its document would wait forever.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), jobId, 1);
        throw error;
    }
    lastJobId_ = jobId;
}

} // namespace hakobee
