#include "platform/printing/cupsqueueppd.h"

#include <QFile>
#include <QRegularExpression>

#include <cups/cups.h>
#include <cups/ppd.h>

// The PPD interface is what CUPS's own drivers read their options from; it
// is marked deprecated in favour of IPP queries that do not carry the raster
// header a driver expects, so this file uses it knowingly.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace hakobee {

namespace {

const QByteArray rasterType = QByteArrayLiteral("application/vnd.cups-raster");

// The first word of a filter line ("application/vnd.cups-raster 50 rastertolabel").
QByteArray filterSourceType(const char* line)
{
    return QByteArray(line).trimmed().split(' ').value(0);
}

} // namespace

struct CupsQueuePpd::Ppd
{
    explicit Ppd(QString path) : file(std::move(path)) {}
    ~Ppd()
    {
        if (ppd)
            ppdClose(ppd);
        if (destinations)
            cupsFreeDests(destinationCount, destinations);
        QFile::remove(file);
    }
    QString file; // the local copy cupsGetPPD2 made
    ppd_file_t* ppd = nullptr;
    int destinationCount = 0;
    cups_dest_t* destinations = nullptr;
    cups_dest_t* queue = nullptr; // the queue's default options
};

int resolutionChoiceDpi(const QString& choice)
{
    static const QRegularExpression dpi(u"^(\\d+)(x\\d+)?dpi$"_qs);
    const QRegularExpressionMatch match = dpi.match(choice);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::unique_ptr<CupsQueuePpd> CupsQueuePpd::open(const QString& queue)
{
    const QByteArray name = queue.section(u'/', 0, 0).toUtf8();
    const char* path = cupsGetPPD2(CUPS_HTTP_DEFAULT, name.constData());
    if (!path)
        return nullptr;
    auto ppd = std::make_unique<Ppd>(QFile::decodeName(path));
    ppd->ppd = ppdOpenFile(path);
    if (!ppd->ppd)
        return nullptr;
    ppdMarkDefaults(ppd->ppd);
    // The options the queue was given (lpadmin -o, lpoptions) are its defaults.
    ppd->destinationCount = cupsGetDests2(CUPS_HTTP_DEFAULT, &ppd->destinations);
    const QByteArray instance = queue.section(u'/', 1, 1).toUtf8();
    ppd->queue = cupsGetDest(name.constData(), instance.isEmpty() ? nullptr : instance.constData(),
                             ppd->destinationCount, ppd->destinations);
    if (ppd->queue)
        cupsMarkOptions(ppd->ppd, ppd->queue->num_options, ppd->queue->options);
    std::unique_ptr<CupsQueuePpd> description(new CupsQueuePpd(std::move(ppd), queue));
    description->describe();
    return description;
}

CupsQueuePpd::CupsQueuePpd(std::unique_ptr<Ppd> ppd, QString queue)
    : ppd_(std::move(ppd)), queue_(std::move(queue))
{}

CupsQueuePpd::~CupsQueuePpd() = default;

void CupsQueuePpd::describe()
{
    ppd_file_t* ppd = ppd_->ppd;
    ppd_option_t* pageSizes = ppdFindOption(ppd, "PageSize");
    const ppd_size_t* marked = ppdPageSize(ppd, nullptr);
    for (int i = 0; i < ppd->num_sizes; ++i) {
        const ppd_size_t& size = ppd->sizes[i];
        const QString key = QString::fromUtf8(size.name);
        if (key.startsWith(u"Custom", Qt::CaseInsensitive) || size.width <= 0 || size.length <= 0)
            continue;
        QueueMedia media;
        media.paper = {key, size.width, size.length};
        media.displayName = key;
        if (pageSizes) {
            if (const ppd_choice_t* choice = ppdFindChoice(pageSizes, size.name))
                media.displayName = QString::fromUtf8(choice->text);
        }
        media.printableAreaPt = QRectF(size.left, size.length - size.top, size.right - size.left,
                                       size.top - size.bottom);
        if (marked && qstrcmp(marked->name, size.name) == 0)
            defaultMedia_ = static_cast<int>(media_.size());
        media_.append(media);
    }
    customSizes_ = ppd->variable_sizes != 0;

    if (const ppd_option_t* resolution = ppdFindOption(ppd, "Resolution")) {
        for (int i = 0; i < resolution->num_choices; ++i) {
            const int dpi = resolutionChoiceDpi(QString::fromUtf8(resolution->choices[i].choice));
            if (dpi <= 0)
                continue;
            resolutions_.append(dpi);
            if (resolution->choices[i].marked)
                defaultResolution_ = dpi;
        }
    }
    if (defaultResolution_ == 0) {
        if (const ppd_attr_t* attribute = ppdFindAttr(ppd, "DefaultResolution", nullptr))
            defaultResolution_ = resolutionChoiceDpi(QString::fromUtf8(attribute->value));
    }

    for (int i = 0; i < ppd->num_filters; ++i)
        takesRaster_ = takesRaster_ || filterSourceType(ppd->filters[i]) == rasterType;
    for (const ppd_attr_t* filter = ppdFindAttr(ppd, "cupsFilter2", nullptr); filter;
         filter = ppdFindNextAttr(ppd, "cupsFilter2", nullptr))
        takesRaster_ = takesRaster_ || filterSourceType(filter->value) == rasterType;
}

std::optional<cups_page_header2_t>
CupsQueuePpd::rasterHeader(const QString& mediaKey, QSizeF pageSizePt, int resolutionDpi) const
{
    ppd_file_t* ppd = ppd_->ppd;
    ppdMarkDefaults(ppd);
    if (ppd_->queue)
        cupsMarkOptions(ppd, ppd_->queue->num_options, ppd_->queue->options);
    const QByteArray pageSize =
        mediaKey.isEmpty()
            ? u"Custom.%1x%2"_qs.arg(pageSizePt.width()).arg(pageSizePt.height()).toUtf8()
            : mediaKey.toUtf8();
    ppdMarkOption(ppd, "PageSize", pageSize.constData());
    if (const ppd_option_t* resolution = ppdFindOption(ppd, "Resolution")) {
        for (int i = 0; i < resolution->num_choices; ++i) {
            if (resolutionChoiceDpi(QString::fromUtf8(resolution->choices[i].choice)) ==
                resolutionDpi) {
                ppdMarkOption(ppd, "Resolution", resolution->choices[i].choice);
                break;
            }
        }
    }
    cups_page_header2_t header;
    if (cupsRasterInterpretPPD(&header, ppd, 0, nullptr, nullptr) != 0)
        return std::nullopt;
    // The page is drawn at the resolution the job was laid out for.
    if (header.HWResolution[0] != static_cast<unsigned>(resolutionDpi) ||
        header.HWResolution[1] != static_cast<unsigned>(resolutionDpi))
        return std::nullopt;
    const bool chunked = header.cupsColorOrder == CUPS_ORDER_CHUNKED;
    const bool bits = header.cupsBitsPerColor == 1 || header.cupsBitsPerColor == 8;
    bool space = false;
    switch (header.cupsColorSpace) {
    case CUPS_CSPACE_K:
    case CUPS_CSPACE_W:
    case CUPS_CSPACE_SW:
        space = true;
        break;
    case CUPS_CSPACE_RGB:
    case CUPS_CSPACE_SRGB:
        space = header.cupsBitsPerColor == 8;
        break;
    default:
        break;
    }
    if (!chunked || !bits || !space)
        return std::nullopt;
    return header;
}

} // namespace hakobee
