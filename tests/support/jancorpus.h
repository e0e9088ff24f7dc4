#pragma once

#include <QString>
#include <QStringList>

namespace hakobee::test {

// The check digit of a JAN/EAN code worked out here, independently of the
// program's own: the digits without it weighted 3 and 1 from the right.
inline int janCheckDigitOf(const QString& digitsWithoutCheck)
{
    int sum = 0;
    for (qsizetype i = 0; i < digitsWithoutCheck.size(); ++i) {
        const int weight = (digitsWithoutCheck.size() - i) % 2 == 1 ? 3 : 1;
        sum += weight * digitsWithoutCheck[i].digitValue();
    }
    return (10 - sum % 10) % 10;
}

// Codes of `length` digits (13 or 8), check digit included, their other
// digits from a fixed pseudo-random sequence (Knuth's MMIX generator seeded
// with the length), so every run prints the same codes.
inline QStringList janCodes(int count, int length)
{
    QStringList codes;
    quint64 state = static_cast<quint64>(length);
    for (int i = 0; i < count; ++i) {
        QString code;
        for (int p = 0; p < length - 1; ++p) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            code += QChar(u'0' + static_cast<int>((state >> 33) % 10));
        }
        code += QChar(u'0' + janCheckDigitOf(code));
        codes.append(code);
    }
    return codes;
}

// The corpus the label printer tests print: 200 JAN-13 and 50 JAN-8 codes,
// the same in every run.
inline QStringList janCorpus()
{
    return janCodes(200, 13) + janCodes(50, 8);
}

// Whether, among the codes of each length, every digit 0-9 stands at every
// position (the check digit's included).
inline bool coversEveryDigitAtEveryPosition(const QStringList& codes)
{
    for (const int length : {13, 8}) {
        for (int p = 0; p < length; ++p) {
            QString seen;
            for (const QString& code : codes) {
                if (code.size() == length && !seen.contains(code[p]))
                    seen += code[p];
            }
            if (seen.size() != 10)
                return false;
        }
    }
    return true;
}

} // namespace hakobee::test
