#pragma once

#include <QObject>
#include <QString>

namespace hakobee {

// The run allowance as the running print run shows it (Label_PP): the
// number of records it may still print, as decimal text. The run reads it
// before each record and stops at 0; the progress screen's cancel sets it
// to "1" so the run stops before its next record. The continuous-run screen
// owns the instance and shows its text.
class RunAllowance : public QObject
{
    Q_OBJECT

public:
    const QString& text() const { return text_; }
    void setText(const QString& text);

    // The text read as a decimal number ("0" and "0.0" are both 0).
    // Throws hakobee::Error when the text is not a number.
    double numericValue() const;

signals:
    void textChanged(const QString& text);

private:
    QString text_;
};

} // namespace hakobee
