#include "core/barcode/barcodeencoder.h"

#include "core/error.h"

namespace hakobee {

namespace {

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

[[noreturn]] void refuse(const QString& barcodeText)
{
    throw Error(
        u"バーコードを作成できません: 「%1」はJANコード(JAN-に続く7桁・8桁・12桁・13桁の数字)"
        u"ではありません。"_qs.arg(barcodeText));
}

} // namespace

QChar eanCheckDigit(const QString& digitsWithoutCheck)
{
    // Weights 3 and 1 alternate from the rightmost digit leftwards.
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digitsWithoutCheck.size() - 1; i >= 0; --i) {
        sum += (digitsWithoutCheck.at(i).unicode() - u'0') * weight;
        weight = 4 - weight;
    }
    return QChar(u'0' + (10 - sum % 10) % 10);
}

namespace {

const QString janPrefix = u"JAN-"_qs;

// The digits of a barcode text; the text names the code in a refusal.
JanCode parseJanDigits(const QString& digits, const QString& barcodeText)
{
    if (!allDigits(digits))
        refuse(barcodeText);

    JanCode code;
    switch (digits.size()) {
    case 12:
    case 7:
        code.digits = digits + eanCheckDigit(digits);
        break;
    case 13:
    case 8:
        if (eanCheckDigit(digits.chopped(1)) != digits.back()) {
            throw Error(
                u"バーコードを作成できません: 「%1」のチェックデジットが正しくありません"
                u"(正しくは %2)。"_qs.arg(barcodeText, QString(eanCheckDigit(digits.chopped(1)))));
        }
        code.digits = digits;
        break;
    default:
        refuse(barcodeText);
    }
    code.kind = code.digits.size() == 13 ? JanCode::Kind::Ean13 : JanCode::Kind::Ean8;
    return code;
}

} // namespace

JanCode parseJanBarcodeText(const QString& barcodeText)
{
    if (!barcodeText.startsWith(janPrefix))
        refuse(barcodeText);
    return parseJanDigits(barcodeText.mid(janPrefix.size()), barcodeText);
}

JanCode parseJanBarcodeValue(const QString& barcodeValue)
{
    return parseJanDigits(barcodeValue, janPrefix + barcodeValue);
}

} // namespace hakobee
