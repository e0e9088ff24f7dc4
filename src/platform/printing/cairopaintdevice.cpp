#include "platform/printing/cairopaintdevice.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>

#include <cairo.h>

#include <climits>
#include <cmath>
#include <vector>

namespace hakobee {

namespace {

constexpr double millimetresPerInch = 25.4;

struct SurfaceDestroy
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

cairo_matrix_t toCairo(const QTransform& transform)
{
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, transform.m11(), transform.m12(), transform.m21(), transform.m22(),
                      transform.dx(), transform.dy());
    return matrix;
}

void appendPath(cairo_t* context, const QPainterPath& path)
{
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            cairo_move_to(context, element.x, element.y);
            break;
        case QPainterPath::LineToElement:
            cairo_line_to(context, element.x, element.y);
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element& second = path.elementAt(i + 1);
            const QPainterPath::Element& end = path.elementAt(i + 2);
            cairo_curve_to(context, element.x, element.y, second.x, second.y, end.x, end.y);
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break; // consumed with its curve
        }
    }
}

cairo_line_cap_t toCairo(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::SquareCap:
        return CAIRO_LINE_CAP_SQUARE;
    case Qt::RoundCap:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_BUTT;
    }
}

cairo_line_join_t toCairo(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::RoundJoin:
        return CAIRO_LINE_JOIN_ROUND;
    case Qt::MiterJoin:
    case Qt::SvgMiterJoin:
        return CAIRO_LINE_JOIN_MITER;
    default:
        return CAIRO_LINE_JOIN_BEVEL;
    }
}

} // namespace

class CairoPaintEngine : public QPaintEngine
{
public:
    CairoPaintEngine(cairo_t* context, bool greyscale)
        : QPaintEngine(PrimitiveTransform | PixmapTransform | PainterPaths | AlphaBlend),
          context_(context), greyscale_(greyscale)
    {}

    bool begin(QPaintDevice*) override
    {
        cairo_save(context_);
        cairo_get_matrix(context_, &deviceMatrix_);
        return true;
    }
    bool end() override
    {
        cairo_new_path(context_);
        cairo_restore(context_);
        return true;
    }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            pen_ = state.pen();
        if (dirty & DirtyBrush)
            brush_ = state.brush();
        if (dirty & DirtyTransform)
            transform_ = state.transform();
        if (dirty & DirtyHints)
            smoothImages_ = state.renderHints() & QPainter::SmoothPixmapTransform;
        if (dirty & DirtyClipPath)
            setClip(state.clipPath(), state.clipOperation());
        else if (dirty & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(state.clipRegion());
            setClip(region, state.clipOperation());
        }
        if (dirty & DirtyClipEnabled)
            applyClip(state.isClipEnabled());
    }

    void drawRects(const QRectF* rects, int count) override
    {
        useLogicalSpace();
        for (int i = 0; i < count; ++i)
            cairo_rectangle(context_, rects[i].x(), rects[i].y(), rects[i].width(),
                            rects[i].height());
        fillAndStroke(CAIRO_FILL_RULE_WINDING);
    }

    void drawPath(const QPainterPath& path) override
    {
        useLogicalSpace();
        appendPath(context_, path);
        fillAndStroke(path.fillRule() == Qt::WindingFill ? CAIRO_FILL_RULE_WINDING
                                                         : CAIRO_FILL_RULE_EVEN_ODD);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count < 1)
            return;
        useLogicalSpace();
        cairo_move_to(context_, points[0].x(), points[0].y());
        for (int i = 1; i < count; ++i)
            cairo_line_to(context_, points[i].x(), points[i].y());
        if (mode == PolylineMode) {
            stroke();
            return;
        }
        cairo_close_path(context_);
        fillAndStroke(mode == WindingMode ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        if (image.isNull() || source.isEmpty())
            return;
        // A surface of cairo's own: the PDF keeps it until the page is written.
        const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels.width(), pixels.height()));
        cairo_surface_flush(surface.get());
        unsigned char* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        for (int y = 0; y < pixels.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(data + y * stride);
            const auto* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
            for (int x = 0; x < pixels.width(); ++x)
                row[x] = greyscale_ ? grey(from[x]) : from[x];
        }
        cairo_surface_mark_dirty(surface.get());

        useLogicalSpace();
        cairo_save(context_);
        cairo_translate(context_, target.x(), target.y());
        cairo_scale(context_, target.width() / source.width(), target.height() / source.height());
        cairo_translate(context_, -source.x(), -source.y());
        cairo_set_source_surface(context_, surface.get(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(context_),
                                 smoothImages_ ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_rectangle(context_, source.x(), source.y(), source.width(), source.height());
        cairo_fill(context_);
        cairo_restore(context_);
    }

private:
    static QRgb grey(QRgb premultiplied)
    {
        const int level = qGray(premultiplied);
        return qRgba(level, level, level, qAlpha(premultiplied));
    }

    void setColour(const QColor& colour)
    {
        const QColor rgb = colour.toRgb();
        if (greyscale_) {
            const double level = qGray(rgb.rgb()) / 255.0;
            cairo_set_source_rgba(context_, level, level, level, rgb.alphaF());
        } else {
            cairo_set_source_rgba(context_, rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF());
        }
    }

    // Coordinates as the painter gives them: its transform on the device's.
    void useLogicalSpace()
    {
        cairo_matrix_t logical = toCairo(transform_);
        cairo_matrix_multiply(&logical, &logical, &deviceMatrix_);
        cairo_set_matrix(context_, &logical);
    }

    void fillAndStroke(cairo_fill_rule_t rule)
    {
        if (brush_.style() != Qt::NoBrush) {
            setColour(brush_.color());
            cairo_set_fill_rule(context_, rule);
            cairo_fill_preserve(context_);
        }
        stroke();
    }

    // Strokes and clears the current path.
    void stroke()
    {
        if (pen_.style() == Qt::NoPen) {
            cairo_new_path(context_);
            return;
        }
        // A cosmetic pen is as wide in device dots whatever the transform.
        const double width = pen_.isCosmetic() ? std::max(pen_.widthF(), 1.0) : pen_.widthF();
        if (pen_.isCosmetic())
            cairo_set_matrix(context_, &deviceMatrix_);
        setColour(pen_.color());
        cairo_set_line_width(context_, width);
        cairo_set_line_cap(context_, toCairo(pen_.capStyle()));
        cairo_set_line_join(context_, toCairo(pen_.joinStyle()));
        cairo_set_miter_limit(context_, pen_.miterLimit());
        // Dashes are counted in pen widths.
        std::vector<double> dashes;
        if (pen_.style() != Qt::SolidLine) {
            for (const qreal dash : pen_.dashPattern())
                dashes.push_back(dash * width);
        }
        cairo_set_dash(context_, dashes.data(), static_cast<int>(dashes.size()),
                       pen_.dashOffset() * width);
        cairo_stroke(context_);
    }

    void setClip(const QPainterPath& path, Qt::ClipOperation operation)
    {
        if (operation == Qt::NoClip) {
            clipDevice_.reset();
        } else {
            const QPainterPath device = transform_.map(path);
            clipDevice_ = (operation == Qt::IntersectClip && clipDevice_)
                              ? std::make_unique<QPainterPath>(clipDevice_->intersected(device))
                              : std::make_unique<QPainterPath>(device);
        }
        applyClip(true);
    }

    void applyClip(bool enabled)
    {
        cairo_reset_clip(context_);
        if (!enabled || !clipDevice_)
            return;
        cairo_set_matrix(context_, &deviceMatrix_);
        cairo_new_path(context_);
        appendPath(context_, *clipDevice_);
        cairo_set_fill_rule(context_, clipDevice_->fillRule() == Qt::WindingFill
                                          ? CAIRO_FILL_RULE_WINDING
                                          : CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(context_);
    }

    cairo_t* context_;
    bool greyscale_;
    cairo_matrix_t deviceMatrix_{};
    QPen pen_;
    QBrush brush_{Qt::NoBrush};
    QTransform transform_;
    bool smoothImages_ = false;
    std::unique_ptr<QPainterPath> clipDevice_;
};

CairoPaintDevice::CairoPaintDevice(cairo_t* context, QSize sizeDots, double dotsPerInch,
                                   bool greyscale)
    : engine_(std::make_unique<CairoPaintEngine>(context, greyscale)), sizeDots_(sizeDots),
      dotsPerInch_(dotsPerInch)
{}

CairoPaintDevice::~CairoPaintDevice() = default;

QPaintEngine* CairoPaintDevice::paintEngine() const
{
    return engine_.get();
}

int CairoPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return sizeDots_.width();
    case PdmHeight:
        return sizeDots_.height();
    case PdmWidthMM:
        return static_cast<int>(std::lround(sizeDots_.width() / dotsPerInch_ * millimetresPerInch));
    case PdmHeightMM:
        return static_cast<int>(
            std::lround(sizeDots_.height() / dotsPerInch_ * millimetresPerInch));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return static_cast<int>(std::lround(dotsPerInch_));
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace hakobee
