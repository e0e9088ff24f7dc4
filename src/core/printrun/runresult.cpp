#include "core/printrun/runresult.h"

namespace hakobee {

QString describeRunFailure(const RunFailure& failure)
{
    if (failure.rowNumber <= 0)
        return failure.description;
    return u"%1行目（バーコード「%2」）: %3"_qs.arg(QString::number(failure.rowNumber),
                                                    failure.barcodeValue, failure.description);
}

QString continuousRunFailureMessage(const RunResult& result)
{
    const RunFailure& failure = result.failure;
    if (failure.rowNumber <= 0)
        return u"印刷を始められませんでした。\n%1"_qs.arg(failure.description);
    return u"%1行目（バーコード「%2」）で印刷を中止しました。\n%3\n\n"
           u"%4枚印刷しました。%1行目から後は、直してから部分印刷で印刷できます。"_qs.arg(
               QString::number(failure.rowNumber), failure.barcodeValue, failure.description,
               QString::number(result.printed));
}

QString runFailureTitle()
{
    return u"印刷エラー"_qs;
}

QString partialRunFailureMessage(const RunFailure& failure)
{
    return u"印刷設定又はDB設定が不正です。設定しなおしてください Error_Message:"_qs +
           describeRunFailure(failure);
}

QString partialRunFailureTitle()
{
    return u"ERROR"_qs;
}

QString invalidRangeMessage()
{
    return u"行数が無効です"_qs;
}

QString invalidRangeTitle()
{
    return u"ERROR"_qs;
}

QString runCompletedMessage()
{
    return u"印刷終了。ﾃﾞｰﾀﾍﾞｰｽと接続解除しました。"_qs;
}

QString runCompletedTitle()
{
    return u"処理終了"_qs;
}

} // namespace hakobee
