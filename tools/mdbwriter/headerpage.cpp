#include "headerpage.h"

#include "jetformat.h"
#include "littleendian.h"
#include "rc4.h"

#include <cmath>

namespace hakobee::mdbwriter {

namespace {

constexpr int EncryptedOffset = 0x18;
constexpr int EncryptedLength = 128;
constexpr int CodePageOffset = 0x3C;
constexpr int DatabaseKeyOffset = 0x3E;
constexpr int PasswordOffset = 0x42;
constexpr int PasswordLength = 40;
constexpr int SortOrderOffset = 0x6E;
constexpr int CreationDateOffset = 0x72;
constexpr int FormatVersionOffset = 0x98;

constexpr quint16 CodePageWestern = 1252;
constexpr quint32 SortOrderGeneral = 0x409;

} // namespace

QByteArray databaseDefinitionPage(double creationDays)
{
    QByteArray page(jet::PageSize, '\0');
    putU32(page, 0x00, 0x00000100);
    const QByteArray signature("Standard Jet DB");
    page.replace(0x04, signature.size(), signature);
    putU32(page, 0x14, 1); // Jet 4

    putU16(page, CodePageOffset, CodePageWestern);
    putU32(page, DatabaseKeyOffset, 0); // pages are stored unencoded
    // Without a password, the password area holds the whole-day part of the
    // creation date repeated, the mask that readers remove from it.
    const qint32 dayMask = qint32(std::floor(creationDays));
    for (int at = PasswordOffset; at < PasswordOffset + PasswordLength; at += 4)
        putU32(page, at, quint32(dayMask));
    putU32(page, SortOrderOffset, SortOrderGeneral);
    putF64(page, CreationDateOffset, creationDays);

    applyRc4(page, EncryptedOffset, EncryptedLength, QByteArray("\xC7\xDA\x39\x6B", 4));

    const QByteArray version("\x54\x06\x00\x00", 4); // "4.0"
    page.replace(FormatVersionOffset, version.size(), version);
    return page;
}

} // namespace hakobee::mdbwriter
