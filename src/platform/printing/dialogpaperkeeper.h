#pragma once

#include <QObject>
#include <QPageSize>
#include <QPointer>

#include <optional>

class QDialog;
class QPrintDialog;

namespace hakobee {

// Keeps the paper of a printer through Qt's print dialog. On a CUPS queue
// the dialog builds its page setup (the printer's properties page) from the
// queue's default paper, not from the printer it was given, and applies
// that paper on OK even when the operator never opened the page: a printer
// set to a label size comes back on A4 or Letter.
//
// While the dialog runs, the keeper shows the kept paper on the page each
// time the page opens, and keeps what the operator confirms there with OK.
// paper() is then the paper the confirmed dialog stands for: the one given,
// unless the operator chose another on the page.
class DialogPaperKeeper : public QObject
{
    Q_OBJECT

public:
    // `given` empty: the printer's paper is not known, and Qt's stands.
    DialogPaperKeeper(QPrintDialog& dialog, std::optional<QPageSize> given);
    ~DialogPaperKeeper() override;

    const std::optional<QPageSize>& paper() const { return paper_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pageOpened(QDialog* page);
    void pageClosed(QDialog* page, int result);

    QPointer<QPrintDialog> dialog_;
    std::optional<QPageSize> paper_;
    QList<QPointer<QDialog>> followed_;
};

} // namespace hakobee
