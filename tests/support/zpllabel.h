#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

#include <algorithm>
#include <cstring>

namespace hakobee::test {

// One label a ZPL job prints: the graphic it recalls, as the printer lays it
// on the label (1 = a black dot), and the print width the job set with ^PW.
struct ZplLabel
{
    QImage image; // Format_Mono, colour index 1 black
    int printWidthDots = 0;
    int graphicBytesPerRow = 0;
    int quantity = 1; // the times the printer prints it (^PQ)
};

// What a ZPL job as CUPS's rastertolabel sends it (ZEBRA_ZPL) comes to: each
// page is a graphic downloaded with ~DG (hex rows in ZPL's compression),
// printed by an ^XA ... ^XG ... ^XZ format and deleted again with ^ID.
struct ZplJob
{
    QList<ZplLabel> labels;
    QString failure; // why the job could not be read, empty when it could
};

namespace zpl {

inline int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The count a ZPL repeat character stands for: G..Y are 1..19, g..z 20..400.
inline int repeatCount(char c)
{
    if (c >= 'G' && c <= 'Y')
        return c - 'F';
    if (c >= 'g' && c <= 'z')
        return (c - 'f') * 20;
    return 0;
}

// The bytes of a ~DG graphic from its compressed hex text: total bytes in rows
// of bytesPerRow. Hex digits, each after an optional repeat count; ',' ends a
// row with zeros, '!' with ones, ':' repeats the row before. Empty with the
// reason in failure when the text is not such a graphic.
inline QByteArray decodeGraphic(const QByteArray& text, int total, int bytesPerRow,
                                QString& failure)
{
    if (bytesPerRow <= 0 || total <= 0 || total % bytesPerRow != 0) {
        failure = u"~DG sizes %1,%2 are no whole rows"_qs.arg(total).arg(bytesPerRow);
        return {};
    }
    const int nibblesPerRow = 2 * bytesPerRow;
    QByteArray nibbles; // the graphic as hex digit values, one a byte
    nibbles.reserve(2 * total);
    QByteArray row;
    int count = 0;
    const auto endRow = [&](char fill) {
        row.append(nibblesPerRow - row.size(), fill);
        nibbles.append(row);
        row.clear();
    };
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == ' ')
            continue;
        if (const int repeat = repeatCount(c)) {
            count += repeat;
            continue;
        }
        if (count > 0 && hexValue(c) < 0) {
            failure = u"a repeat count before '%1'"_qs.arg(QChar(c));
            return {};
        }
        if (c == ',' || c == '!') {
            endRow(c == ',' ? 0 : 15);
        } else if (c == ':') {
            if (!row.isEmpty() || nibbles.isEmpty()) {
                failure = u"':' repeats no whole row"_qs;
                return {};
            }
            nibbles.append(nibbles.right(nibblesPerRow));
        } else if (const int value = hexValue(c); value >= 0) {
            const int times = count > 0 ? count : 1;
            if (row.size() + times > nibblesPerRow) {
                failure = u"a run of %1 '%2' overflows its row"_qs.arg(times).arg(QChar(c));
                return {};
            }
            row.append(times, static_cast<char>(value));
            if (row.size() == nibblesPerRow)
                endRow(0);
        } else {
            failure = u"unexpected '%1' in a graphic"_qs.arg(QChar(c));
            return {};
        }
        count = 0;
    }
    if (!row.isEmpty() || count > 0 || nibbles.size() != 2 * total) {
        failure = u"the graphic holds %1 of its %2 bytes"_qs.arg((nibbles.size() + row.size()) / 2)
                      .arg(total);
        return {};
    }
    QByteArray bytes(total, '\0');
    for (int i = 0; i < total; ++i)
        bytes[i] = static_cast<char>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
    return bytes;
}

// The number after a two-letter ZPL command in a format, or -1.
inline int formatNumber(const QByteArray& format, const QByteArray& command)
{
    const qsizetype at = format.indexOf(command);
    if (at < 0)
        return -1;
    qsizetype end = at + command.size();
    while (end < format.size() && format[end] >= '0' && format[end] <= '9')
        ++end;
    bool ok = false;
    const int value = format.mid(at + command.size(), end - at - command.size()).toInt(&ok);
    return ok ? value : -1;
}

} // namespace zpl

// Reads a job file as rastertolabel writes it for a ZPL printer: one label for
// every ^XA ... ^XZ format that recalls a downloaded graphic with ^XG (at
// magnification 1), placed at its ^FO's x (rastertolabel's is 0,0) on a label
// ^PW dots wide and as long as the graphic.
inline ZplJob decodeZplJob(const QByteArray& job)
{
    ZplJob result;
    struct Graphic
    {
        QByteArray bytes;
        int bytesPerRow = 0;
    };
    QMap<QByteArray, Graphic> graphics;
    qsizetype at = 0;
    while (at < job.size()) {
        const qsizetype tilde = job.indexOf("~DG", at);
        const qsizetype format = job.indexOf("^XA", at);
        if (tilde < 0 && format < 0)
            break;
        if (tilde >= 0 && (format < 0 || tilde < format)) {
            // ~DG<device:name>,<total bytes>,<bytes per row>,<data>
            const qsizetype data = [&] {
                qsizetype comma = tilde;
                for (int i = 0; i < 3 && comma >= 0; ++i)
                    comma = job.indexOf(',', comma + 1);
                return comma;
            }();
            if (data < 0) {
                result.failure = u"a ~DG header without its sizes"_qs;
                return result;
            }
            const QList<QByteArray> fields = job.mid(tilde + 3, data - tilde - 3).split(',');
            if (fields.size() != 3) {
                result.failure = u"a ~DG header that is no name, size and row size"_qs;
                return result;
            }
            qsizetype end = data + 1;
            while (end < job.size() && job[end] != '^' && job[end] != '~')
                ++end;
            Graphic graphic;
            graphic.bytesPerRow = fields[2].toInt();
            graphic.bytes = zpl::decodeGraphic(job.mid(data + 1, end - data - 1), fields[1].toInt(),
                                               graphic.bytesPerRow, result.failure);
            if (!result.failure.isEmpty())
                return result;
            graphics.insert(fields[0], graphic);
            at = end;
            continue;
        }
        const qsizetype formatEnd = job.indexOf("^XZ", format);
        if (formatEnd < 0) {
            result.failure = u"a format ^XA without its ^XZ"_qs;
            return result;
        }
        const QByteArray text = job.mid(format, formatEnd - format);
        at = formatEnd + 3;
        const qsizetype recall = text.indexOf("^XG");
        if (recall < 0)
            continue; // ^ID and other formats that print nothing
        const QList<QByteArray> fields = text.mid(recall + 3).split('^').first().split(',');
        if (fields.size() != 3 || fields[1].trimmed() != "1" || fields[2].trimmed() != "1") {
            result.failure = u"^XG%1 is no graphic at magnification 1"_qs.arg(
                QString::fromLatin1(text.mid(recall + 3).split('^').first()));
            return result;
        }
        const auto graphic = graphics.constFind(fields[0]);
        if (graphic == graphics.cend()) {
            result.failure =
                u"^XG recalls %1, never downloaded"_qs.arg(QString::fromLatin1(fields[0]));
            return result;
        }
        ZplLabel label;
        label.printWidthDots = zpl::formatNumber(text, "^PW");
        label.quantity = std::max(1, zpl::formatNumber(text, "^PQ"));
        label.graphicBytesPerRow = graphic->bytesPerRow;
        const int originX = std::max(0, zpl::formatNumber(text, "^FO"));
        const int rows = static_cast<int>(graphic->bytes.size() / graphic->bytesPerRow);
        const int width =
            label.printWidthDots > 0 ? label.printWidthDots : 8 * graphic->bytesPerRow + originX;
        label.image = QImage(width, rows, QImage::Format_Mono);
        label.image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        label.image.fill(0);
        // The graphic's rows are Format_Mono's own: 1 black, first dot in the
        // top bit. A byte-aligned origin copies whole bytes.
        const int graphicDots = std::clamp(width - originX, 0, 8 * graphic->bytesPerRow);
        for (int y = 0; y < rows; ++y) {
            const uchar* source = reinterpret_cast<const uchar*>(graphic->bytes.constData()) +
                                  qsizetype(y) * graphic->bytesPerRow;
            if (originX % 8 == 0) {
                std::memcpy(label.image.scanLine(y) + originX / 8, source,
                            std::size_t((graphicDots + 7) / 8));
                continue;
            }
            for (int x = 0; x < graphicDots; ++x) {
                if (source[x / 8] & (0x80 >> (x % 8)))
                    label.image.setPixel(originX + x, y, 1);
            }
        }
        result.labels.append(label);
    }
    return result;
}

} // namespace hakobee::test
