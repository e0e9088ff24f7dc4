#include "headerpage.h"

#include "core/error.h"
#include "littleendian.h"
#include "rc4.h"
#include "textencoding.h"
#include "valueerror.h"

#include <cmath>

namespace hakobee::mdbwriter {

namespace {

constexpr int EncryptedOffset = 0x18;
constexpr int EncryptedLength = 128;
constexpr int Jet3EncryptedLength = 126;
constexpr int VersionOffset = 0x14;
constexpr int Jet3SortOrderOffset = 0x3A;
constexpr int CodePageOffset = 0x3C;
constexpr int DatabaseKeyOffset = 0x3E;
constexpr int PasswordOffset = 0x42;
constexpr int PasswordLength = 40;
constexpr int Jet3PasswordLength = 20;
constexpr int SortOrderOffset = 0x6E;
constexpr int CreationDateOffset = 0x72;
constexpr int FormatVersionOffset = 0x98;
// ACE keeps the description of its encryption here (length, then the
// provider's version, 4.4 for Office's agile encryption, and flags).
constexpr int CryptStructureOffset = 0x299;

constexpr quint16 CodePageWestern = 1252;
constexpr quint32 SortOrderGeneral = 0x409;

constexpr quint8 VersionJet3 = 0x00;
constexpr quint8 VersionJet4 = 0x01;
constexpr quint8 VersionAce14 = 0x03; // Access 2010

const QByteArray HeaderKey("\xC7\xDA\x39\x6B", 4);

QByteArray passwordBytes(const QString& password, const jet::Format& format)
{
    const int length = format.jet3() ? Jet3PasswordLength : PasswordLength;
    QByteArray bytes;
    try {
        bytes = format.jet3() ? encodeCodePageText(password, format.codePage)
                              : QByteArray(reinterpret_cast<const char*>(password.utf16()),
                                           password.size() * 2);
    } catch (const ValueError& error) {
        throw Error(u"パスワード: %1。"_qs.arg(error.reason));
    }
    if (bytes.size() > length)
        throw Error(u"パスワードが長すぎます（%1 バイトまで）。"_qs.arg(length));
    return bytes.leftJustified(length, '\0');
}

} // namespace

QByteArray databaseDefinitionPage(double creationDays, const jet::Format& format,
                                  const FileOptions& options)
{
    QByteArray page(format.pageSize, '\0');
    putU32(page, 0x00, 0x00000100);
    const QByteArray signature(format.file == FileFormat::Ace ? "Standard ACE DB"
                                                              : "Standard Jet DB");
    page.replace(0x04, signature.size(), signature);
    putU8(page, VersionOffset,
          format.file == FileFormat::Jet3  ? VersionJet3
          : format.file == FileFormat::Ace ? VersionAce14
                                           : VersionJet4);

    putU32(page, DatabaseKeyOffset, options.encodingKey);
    QByteArray password = passwordBytes(options.password, format);
    if (format.jet3()) {
        putU16(page, Jet3SortOrderOffset, quint16(SortOrderGeneral));
        putU16(page, CodePageOffset, quint16(format.codePage));
        page.replace(PasswordOffset, password.size(), password);
        applyRc4(page, EncryptedOffset, Jet3EncryptedLength, HeaderKey);
        return page;
    }

    putU16(page, CodePageOffset, CodePageWestern);
    // The password area is stored XOR the whole-day part of the creation
    // date repeated: without a password, that mask is what it holds.
    const qint32 dayMask = qint32(std::floor(creationDays));
    QByteArray mask(4, '\0');
    putU32(mask, 0, quint32(dayMask));
    for (int i = 0; i < PasswordLength; ++i)
        password[i] = char(password[i] ^ mask[i % 4]);
    page.replace(PasswordOffset, password.size(), password);
    putU32(page, SortOrderOffset, SortOrderGeneral);
    putF64(page, CreationDateOffset, creationDays);
    applyRc4(page, EncryptedOffset, EncryptedLength, HeaderKey);

    const QByteArray version("\x54\x06\x00\x00", 4); // "4.0"
    page.replace(FormatVersionOffset, version.size(), version);
    if (format.file == FileFormat::Ace && options.encodingKey != 0) {
        putU16(page, CryptStructureOffset, 8);
        putU16(page, CryptStructureOffset + 2, 4);
        putU16(page, CryptStructureOffset + 4, 4);
        putU32(page, CryptStructureOffset + 6, 0x40);
    }
    return page;
}

} // namespace hakobee::mdbwriter
