#pragma once

#include "support/cupsqueue.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QThread>

#include <cups/cups.h>

#include <cmath>
#include <utility>

#include <unistd.h>

namespace hakobee::test {

// A label size as CUPS's label drivers name it, "wWWhHH" in points (w162h90:
// 57.15 x 31.75 mm, a price label).
struct LabelMedia
{
    explicit LabelMedia(const QString& mediaName) : name(mediaName)
    {
        static const QRegularExpression points(u"^w(\\d+)h(\\d+)$"_qs);
        const QRegularExpressionMatch size = points.match(mediaName);
        if (size.hasMatch())
            sizePt = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    }
    bool isValid() const { return !sizePt.isEmpty(); }
    QSizeF sizeMm() const { return sizePt * 25.4 / 72.0; }
    // The label in dots as CUPS's raster header has it (cupsWidth, cupsHeight:
    // points at the resolution, rounded to the nearest dot).
    QSize sizeDots(int dotsPerInch) const
    {
        return {int(std::lround(sizePt.width() * dotsPerInch / 72.0)),
                int(std::lround(sizePt.height() * dotsPerInch / 72.0))};
    }

    QString name;
    QSizeF sizePt;
};

// A CUPS queue of the test's own with CUPS's own Zebra ZPL driver
// (drv:///sample.drv/zebra.ppd: the raster filter rastertolabel), printing to
// a label printer at deviceUri, with the resolution and the label it is told
// as its defaults. Removed, with its jobs, on destruction. Needs root, as
// lpadmin does.
class ZebraQueue
{
public:
    ZebraQueue(const QString& purpose, int dotsPerInch, const QString& deviceUri,
               const QString& media = u"w162h90"_qs)
        : name_(u"hakobee-%1-%2dpi-%3"_qs.arg(purpose).arg(dotsPerInch).arg(::getpid())),
          dotsPerInch_(dotsPerInch), media_(media)
    {
        if (!media_.isValid()) {
            failure_ = u"a label size is named wWWhHH, not "_qs + media;
            return;
        }
        if (!run(u"lpadmin"_qs,
                 {u"-p"_qs, name_, u"-E"_qs, u"-v"_qs, deviceUri, u"-m"_qs,
                  u"drv:///sample.drv/zebra.ppd"_qs, u"-o"_qs,
                  u"Resolution=%1dpi"_qs.arg(dotsPerInch), u"-o"_qs, u"PageSize="_qs + media})) {
            failure_ = u"lpadmin could not add "_qs + name_;
            return;
        }
        // The defaults the driver took, as every job that names none gets them.
        QString options;
        if (!run(u"lpoptions"_qs, {u"-p"_qs, name_, u"-l"_qs}, &options)) {
            failure_ = u"lpoptions could not list "_qs + name_;
            return;
        }
        const std::pair<QString, QString> defaults[] = {
            {u"PageSize"_qs, u"*"_qs + media}, {u"Resolution"_qs, u"*%1dpi"_qs.arg(dotsPerInch)}};
        for (const auto& [option, choice] : defaults) {
            // "PageSize/Media Size: A4 ... *w162h90 ...": the starred choice is the default.
            const QStringList line = options.split(u'\n').filter(
                QRegularExpression(u"^%1/"_qs.arg(QRegularExpression::escape(option))));
            if (line.size() != 1 || !line.first().section(u':', 1).split(u' ').contains(choice))
                failure_ += u"%1 is not %2 by default; "_qs.arg(option, choice);
        }
    }
    ~ZebraQueue()
    {
        run(u"cancel"_qs, {u"-a"_qs, u"-x"_qs, name_});
        run(u"lpadmin"_qs, {u"-x"_qs, name_});
    }
    ZebraQueue(const ZebraQueue&) = delete;
    ZebraQueue& operator=(const ZebraQueue&) = delete;

    bool isReady() const { return failure_.isEmpty(); }
    const QString& failure() const { return failure_; }
    const QString& name() const { return name_; }
    int dotsPerInch() const { return dotsPerInch_; }
    const LabelMedia& media() const { return media_; }
    QSize labelSizeDots() const { return media_.sizeDots(dotsPerInch_); }

    // A file printed as it is (PDF, PostScript, CUPS raster...), on this
    // queue's label; the job id, 0 when CUPS refused it.
    int printFile(const QString& path, const QString& title) const
    {
        cups_option_t* options = nullptr;
        const int count = cupsAddOption("media", media_.name.toUtf8().constData(), 0, &options);
        const int job = cupsPrintFile(name_.toUtf8().constData(), path.toLocal8Bit().constData(),
                                      title.toUtf8().constData(), count, options);
        cupsFreeOptions(count, options);
        return job;
    }

    int jobCount(int whichJobs = CUPS_WHICHJOBS_ALL) const
    {
        return queueJobCount(name_, whichJobs);
    }
    bool waitUntilIdle(int milliseconds) const { return waitUntilQueueIdle(name_, milliseconds); }

private:
    static bool run(const QString& program, const QStringList& arguments, QString* output = nullptr)
    {
        return runCupsTool(program, arguments, output);
    }

    QString name_;
    int dotsPerInch_;
    LabelMedia media_;
    QString failure_;
};

} // namespace hakobee::test
