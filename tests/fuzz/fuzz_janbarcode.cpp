// The barcode input check (parseJanBarcodeText) on any text: a code it
// accepts is one a scanner reads back as the record's barcode (all digits,
// 13 or 8 of them, the right check digit, the digits the text gave); any
// other text is refused with hakobee::Error naming it.

#include "fuzztarget.h"

#include "core/barcode/barcodeencoder.h"
#include "core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hakobee;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    JanCode code;
    try {
        code = parseJanBarcodeText(text);
    } catch (const Error& error) {
        if (!error.description().contains(text))
            fuzz::broken("a refusal names the text", text);
        return 0;
    }
    const qsizetype length = code.digits.size();
    if (length != (code.kind == JanCode::Kind::Ean13 ? 13 : 8))
        fuzz::broken("an EAN-13 has 13 digits, an EAN-8 8", text);
    for (QChar c : code.digits) {
        if (c < u'0' || c > u'9')
            fuzz::broken("a code is all digits", text);
    }
    if (eanCheckDigit(code.digits.chopped(1)) != code.digits.back())
        fuzz::broken("the check digit is right", text);
    const QString given = text.mid(4);
    if (!text.startsWith(u"JAN-"_qs) || !(given == code.digits || given == code.digits.chopped(1)))
        fuzz::broken("the code is the digits the text gave", text);
    return 0;
}
