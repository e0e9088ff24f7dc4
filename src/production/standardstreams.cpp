#include "production/standardstreams.h"

#include <cstdio>

namespace hakobee {

namespace {

bool write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace

bool writeToStandardOutput(const QString& text)
{
    return write(stdout, text);
}

bool writeToStandardError(const QString& text)
{
    return write(stderr, text);
}

} // namespace hakobee
