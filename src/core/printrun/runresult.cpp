#include "core/printrun/runresult.h"

#include <QStringList>

#include <algorithm>

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
    const QString message =
        u"%1行目（バーコード「%2」）で印刷を中止しました。\n%3\n\n"
        u"%4印刷しました。%1行目から後は、直してから部分印刷で印刷できます。"_qs.arg(
            QString::number(failure.rowNumber), failure.barcodeValue, failure.description,
            printedCountText(result));
    return withLabelsWithoutBarcodeNote(message, result);
}

QString labelsWithoutBarcodeNote(const RunResult& result)
{
    const QList<qint64>& rows = result.rowsWithoutBarcode;
    if (rows.isEmpty())
        return {};
    // A long list is cut: the count says how many there were.
    constexpr qsizetype rowsNamed = 20;
    QStringList named;
    for (qsizetype i = 0; i < std::min(rows.size(), rowsNamed); ++i)
        named.append(QString::number(rows.at(i)));
    QString list = named.join(u"、"_qs) + u"行目"_qs;
    if (rows.size() > rowsNamed)
        list += u" ほか %1 行"_qs.arg(rows.size() - rowsNamed);
    return u"バーコードの値が空のため、%1 枚はバーコードなしで印刷しました（%2）。"_qs.arg(
        QString::number(result.labelsWithoutBarcode), list);
}

QString withLabelsWithoutBarcodeNote(const QString& message, const RunResult& result)
{
    const QString note = labelsWithoutBarcodeNote(result);
    return note.isEmpty() ? message : message + u"\n\n"_qs + note;
}

QString labelsWithoutBarcodeTitle()
{
    return u"バーコードなしのラベル"_qs;
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

QString printedCountText(const RunResult& result)
{
    const QString labels = u"%1枚"_qs.arg(result.printed);
    if (result.records == result.printed)
        return labels;
    return labels + u"（%1件）"_qs.arg(result.records);
}

QString runCompletedMessage(const RunResult& result)
{
    if (result.records == result.printed)
        return runCompletedMessage();
    return runCompletedMessage() + u"\n%1印刷しました。"_qs.arg(printedCountText(result));
}

QString runCompletedTitle()
{
    return u"処理終了"_qs;
}

} // namespace hakobee
