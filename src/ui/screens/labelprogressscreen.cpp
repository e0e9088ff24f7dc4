#include "ui/screens/labelprogressscreen.h"

#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/units.h"
#include "ui/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace hakobee {

namespace {

// Texts of the progress screen, as the operator knows them.
const QString progressCaption = u"   印刷処理中"_qs;
const QString progressMessage = u"伝票印刷処理中　しばらくお待ちください。"_qs;
const QString cancelCaption = u"キャンセル"_qs;
constexpr char16_t progressSquare = u'■';

} // namespace

LabelProgressScreen::LabelProgressScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(progressCaption);

    QLabel* message = controls::label(this, u"Label1"_qs, progressMessage);
    copy_ = controls::label(this, u"LabelCopies"_qs);
    copy_->hide(); // a record of one label shows the screen as it always was
    squares_ = controls::lineEdit(this, u"txtprogress"_qs);
    squares_->setReadOnly(true);
    squares_->setFocusPolicy(Qt::NoFocus);
    QPushButton* cancel = controls::button(this, u"comcancel1"_qs, cancelCaption);
    connect(cancel, &QPushButton::clicked, this, &LabelProgressScreen::cancelClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(copy_);
    layout->addWidget(squares_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

bool LabelProgressScreen::load()
{
    squares_->setText(QString());
    setGeometry(twipsToPixels(3000), twipsToPixels(3300), twipsToPixels(5000), twipsToPixels(2300));
    return true;
}

void LabelProgressScreen::setProgressSquares(int squares)
{
    const int shown = std::clamp(squares, 0, LabelProgress::maximumSquares);
    squares_->setText(QString(shown, QChar(progressSquare)));
    repaint();
}

void LabelProgressScreen::showLabelCopy(int copy, int copies)
{
    copy_->setText(u"（%1/%2枚目）"_qs.arg(copy).arg(copies));
    copy_->show();
    repaint();
}

void LabelProgressScreen::cancelClicked()
{
    // The renderer aborts the label at its next step, and the run that
    // printed it stops before its next record.
    if (context().cancel)
        context().cancel->request();
}

} // namespace hakobee
