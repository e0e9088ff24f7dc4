#include "ui/screens/labelprogressscreen.h"

#include "core/printrun/runallowance.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/units.h"

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

    Label1 = new QLabel(progressMessage, this);
    Label1->setObjectName(u"Label1"_qs);
    txtprogress = new QLineEdit(this);
    txtprogress->setObjectName(u"txtprogress"_qs);
    txtprogress->setReadOnly(true);
    txtprogress->setFocusPolicy(Qt::NoFocus);
    comcancel1 = new QPushButton(cancelCaption, this);
    comcancel1->setObjectName(u"comcancel1"_qs);
    connect(comcancel1, &QPushButton::clicked, this, &LabelProgressScreen::comcancel1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtprogress);
    layout->addWidget(comcancel1, 0, Qt::AlignHCenter);
}

bool LabelProgressScreen::load()
{
    txtprogress->setText(QString());
    setGeometry(twipsToPixels(3000), twipsToPixels(3300), twipsToPixels(5000), twipsToPixels(2300));
    return true;
}

void LabelProgressScreen::setProgressSquares(int squares)
{
    const int shown = std::clamp(squares, 0, LabelProgress::maximumSquares);
    txtprogress->setText(QString(shown, QChar(progressSquare)));
    repaint();
}

void LabelProgressScreen::comcancel1Click()
{
    if (context().cancel)
        context().cancel->request();
    if (context().runAllowance)
        context().runAllowance->setText(u"1"_qs);
}

} // namespace hakobee
