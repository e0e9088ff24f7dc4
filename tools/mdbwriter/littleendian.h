#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <cstring>

// Little-endian reads and writes at fixed offsets of a page or row buffer.
// Every multi-byte number in a Jet file is little-endian.
namespace hakobee::mdbwriter {

inline void putU8(QByteArray& buffer, int offset, quint8 value)
{
    buffer[offset] = char(value);
}

inline void putU16(QByteArray& buffer, int offset, quint16 value)
{
    qToLittleEndian(value, buffer.data() + offset);
}

inline void putU32(QByteArray& buffer, int offset, quint32 value)
{
    qToLittleEndian(value, buffer.data() + offset);
}

inline void putI64(QByteArray& buffer, int offset, qint64 value)
{
    qToLittleEndian(value, buffer.data() + offset);
}

inline void putF32(QByteArray& buffer, int offset, float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(buffer, offset, bits);
}

inline void putF64(QByteArray& buffer, int offset, double value)
{
    qint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    putI64(buffer, offset, bits);
}

inline void appendU16(QByteArray& buffer, quint16 value)
{
    const int at = buffer.size();
    buffer.resize(at + 2);
    putU16(buffer, at, value);
}

inline void appendU32(QByteArray& buffer, quint32 value)
{
    const int at = buffer.size();
    buffer.resize(at + 4);
    putU32(buffer, at, value);
}

} // namespace hakobee::mdbwriter
