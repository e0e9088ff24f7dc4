#include "ui/widgets/sampledatapicture.h"

#include <QFont>
#include <QPainter>
#include <QStringList>

#include <array>

namespace hakobee {

namespace {

struct SampleColumn
{
    const char16_t* name;
    int widthPixels;
    Qt::Alignment alignment;
};

// The widths add up to the picture's width less the row-selector strip.
constexpr int selectorWidthPixels = 17;
const std::array<SampleColumn, 4> sampleColumns{{
    {u"bar", 112, Qt::AlignLeft},
    {u"hi", 84, Qt::AlignLeft},
    {u"mei", 168, Qt::AlignLeft},
    {u"as2", 70, Qt::AlignRight},
}};

// Valid JAN codes (13 and 8 digits) with typical shop items.
const std::array<std::array<const char16_t*, 4>, 5> sampleRows{{
    {u"4901234567894", u"清涼飲料", u"ｳｰﾛﾝ茶 500ml", u"98"},
    {u"4912345000125", u"菓子", u"ﾎﾟﾃﾄﾁｯﾌﾟｽ うすしお", u"158"},
    {u"4500000123458", u"文具", u"ボールペン 黒 0.5mm", u"120"},
    {u"49123456", u"日用品", u"ティッシュ 5箱", u"298"},
    {u"4567890123456", u"食品", u"さば味噌煮 缶詰", u"1,280"},
}};

constexpr int rowHeightPixels = 22;
const QColor gridColour{0xa0, 0xa0, 0xa0};
const QColor headerColour{0xe4, 0xe4, 0xe4};
const QColor captionColour{0x1c, 0x3f, 0x94};

void drawCell(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment alignment)
{
    painter.setPen(gridColour);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(cell.adjusted(4, 0, -4, 0), int(alignment | Qt::AlignVCenter), text);
}

} // namespace

QImage drawSampleDataPicture()
{
    QImage picture(sampleDataPictureSizePixels, QImage::Format_RGB888);
    picture.fill(Qt::white);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);

    // Caption strip: the table's name, as a datasheet window shows it.
    const QRect caption(0, 0, picture.width(), rowHeightPixels);
    painter.fillRect(caption, captionColour);
    painter.setPen(Qt::white);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(caption.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     u"Master : テーブル"_qs);
    painter.setFont(font);

    int top = caption.bottom() + 1;
    auto drawRow = [&](const QStringList& texts, bool header, const QString& selectorMark = {}) {
        const QRect selector(0, top, selectorWidthPixels, rowHeightPixels);
        painter.fillRect(selector, headerColour);
        drawCell(painter, selector, selectorMark, Qt::AlignHCenter);
        int left = selectorWidthPixels;
        for (std::size_t column = 0; column < sampleColumns.size(); ++column) {
            const QRect cell(left, top, sampleColumns[column].widthPixels, rowHeightPixels);
            if (header)
                painter.fillRect(cell, headerColour);
            drawCell(painter, cell, texts.value(int(column)),
                     header ? Qt::AlignHCenter : sampleColumns[column].alignment);
            left += sampleColumns[column].widthPixels;
        }
        top += rowHeightPixels;
    };

    QStringList header;
    for (const SampleColumn& column : sampleColumns)
        header << QString::fromUtf16(column.name);
    drawRow(header, true);
    for (const auto& row : sampleRows) {
        QStringList texts;
        for (const char16_t* value : row)
            texts << QString::fromUtf16(value);
        drawRow(texts, false);
    }
    // The new-record row that ends every datasheet.
    drawRow({}, false, u"*"_qs);
    return picture;
}

} // namespace hakobee
