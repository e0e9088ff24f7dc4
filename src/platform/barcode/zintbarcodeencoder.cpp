#include "platform/barcode/zintbarcodeencoder.h"

#include "core/error.h"

#include <zint.h>

#include <cmath>
#include <memory>

namespace hakobee {

namespace {

struct ZintSymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using ZintSymbol = std::unique_ptr<zint_symbol, ZintSymbolDeleter>;

// zint's vector output at scale 0.5 measures one module as one unit.
constexpr float unitsPerModuleScale = 0.5f;

} // namespace

std::shared_ptr<const BarcodePicture> ZintBarcodeEncoder::encode(const JanCode& code) const
{

    ZintSymbol symbol(ZBarcode_Create());
    if (!symbol)
        throw Error(u"バーコードを作成できません: メモリが足りません。"_qs);
    symbol->symbology = BARCODE_EANX;
    symbol->show_hrt = 0;
    symbol->scale = unitsPerModuleScale;
    symbol->guard_descent = 0; // no digits under the bars, so no descending guards
    symbol->output_options |= BARCODE_QUIET_ZONES;

    // zint reads 8 digits as a short EAN-13, so EAN-8 goes in without its
    // check digit and zint adds it; EAN-13 goes in whole and zint checks it.
    const QByteArray input = code.kind == JanCode::Kind::Ean8 ? code.digits.chopped(1).toLatin1()
                                                              : code.digits.toLatin1();
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(input.constData()),
        static_cast<int>(input.size()), 0);
    if (result >= ZINT_ERROR || !symbol->vector) {
        throw Error(u"バーコードを作成できません: 「%1」 (%2)"_qs.arg(
            code.digits, QString::fromLatin1(symbol->errtxt)));
    }
    // The bars must say what the text says; anything else is a fault here.
    if (QString::fromLatin1(reinterpret_cast<const char*>(symbol->text)) != code.digits) {
        throw Error(u"バーコードを作成できません: 「%1」が %2 として符号化されました。"_qs.arg(
            code.digits, QString::fromLatin1(reinterpret_cast<const char*>(symbol->text))));
    }

    QList<BarcodeBar> bars;
    for (const zint_vector_rect* rect = symbol->vector->rectangles; rect; rect = rect->next) {
        if (rect->colour != -1)
            continue; // only foreground rectangles are bars
        bars.append(
            {static_cast<int>(std::lround(rect->x)), static_cast<int>(std::lround(rect->width))});
    }
    const int widthModules = static_cast<int>(std::lround(symbol->vector->width));
    return std::make_shared<const BarcodePicture>(code.digits, std::move(bars), widthModules);
}

} // namespace hakobee
