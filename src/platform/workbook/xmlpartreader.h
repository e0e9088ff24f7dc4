#pragma once

#include "platform/workbook/ziparchive.h"

#include <QXmlStreamReader>

#include <memory>

namespace hakobee {

// The XML of one part of the container, read as it is uncompressed, a block
// at a time: a sheet of a million rows is never held whole.
class XmlPartReader
{
public:
    XmlPartReader(const ZipArchive& archive, const QString& part);

    // The next token; EndDocument at the end. Throws hakobee::Error naming
    // the workbook and part when the XML is not well formed.
    QXmlStreamReader::TokenType next();
    const QXmlStreamReader& xml() const { return xml_; }
    // Back to the start of the part.
    void rewind();

private:
    const ZipArchive& archive_;
    QString part_;
    std::unique_ptr<ZipArchive::Stream> stream_;
    QXmlStreamReader xml_;
    bool streamEnded_ = false;
};

} // namespace hakobee
