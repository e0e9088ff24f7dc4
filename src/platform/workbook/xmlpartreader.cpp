#include "platform/workbook/xmlpartreader.h"

#include "core/error.h"

#include <QDir>

namespace hakobee {

namespace {

constexpr qint64 blockBytes = 64 * 1024;

} // namespace

XmlPartReader::XmlPartReader(const ZipArchive& archive, const QString& part)
    : archive_(archive), part_(part)
{
    rewind();
}

void XmlPartReader::rewind()
{
    stream_.reset();
    stream_ = std::make_unique<ZipArchive::Stream>(archive_, part_);
    xml_.clear();
    streamEnded_ = false;
}

QXmlStreamReader::TokenType XmlPartReader::next()
{
    while (true) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && !streamEnded_) {
            QByteArray block(blockBytes, Qt::Uninitialized);
            const qint64 got = stream_->read(block.data(), block.size());
            if (got == 0) {
                streamEnded_ = true;
            } else {
                block.truncate(got);
                xml_.addData(block);
            }
            continue;
        }
        if (xml_.hasError()) {
            throw Error(u"ブック「%1」の「%2」を読めません。ファイルが壊れています。\n"
                        u"%3 行目: %4"_qs.arg(QDir::toNativeSeparators(archive_.path()), part_)
                            .arg(xml_.lineNumber())
                            .arg(xml_.errorString()));
        }
        return token;
    }
}

} // namespace hakobee
