#include "ui/screens/recordcountscreen.h"

#include "core/datasource/datasourcecount.h"
#include "core/error.h"
#include "core/messageboxes.h"
#include "core/settings/datasourcefile.h"
#include "core/units.h"
#include "ui/controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace hakobee {

namespace {

constexpr int widthTwips = 7600;
constexpr int heightTwips = 3500;
constexpr int offsetTwips = 10;

} // namespace

RecordCountScreen::RecordCountScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"データ件数確認"_qs);

    QLabel* databaseCaption = controls::label(this, u"Label3"_qs, u"接続DB(ﾌｧｲﾙﾊﾟｽ)"_qs);
    databaseValue_ = controls::valueLabel(this, u"Labeldb"_qs);
    QLabel* tableCaption = controls::label(this, u"Label6"_qs, u"接続テーブル/クエリ"_qs);
    tableValue_ = controls::valueLabel(this, u"Labeltb"_qs);
    QLabel* selectCaption = controls::label(this, u"Label7"_qs, u"SQL構文"_qs);
    selectValue_ = controls::valueLabel(this, u"Labelsql"_qs);
    selectValue_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    selectValue_->setMinimumHeight(3 * fontMetrics().lineSpacing());
    countValue_ = controls::label(this, u"Label1"_qs);
    countValue_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont count = countValue_->font();
    count.setPointSizeF(count.pointSizeF() * 1.5);
    count.setBold(true);
    countValue_->setFont(count);
    QLabel* unit = controls::label(this, u"Label2"_qs, u"件"_qs);
    QPushButton* close = controls::button(this, u"Command1"_qs, u"閉じる"_qs);
    connect(close, &QPushButton::clicked, this, &RecordCountScreen::closeScreen);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setColumnStretch(1, 1);
    layout->addWidget(databaseCaption, 0, 0);
    layout->addWidget(databaseValue_, 0, 1, 1, 3);
    layout->addWidget(tableCaption, 1, 0);
    layout->addWidget(tableValue_, 1, 1, 1, 3);
    layout->addWidget(selectCaption, 2, 0, Qt::AlignTop);
    layout->addWidget(selectValue_, 2, 1, 1, 3);
    layout->setRowStretch(2, 1);
    layout->addWidget(countValue_, 3, 1);
    layout->addWidget(unit, 3, 2);
    layout->addWidget(close, 3, 3);
}

bool RecordCountScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        countRecords();
        return true;
    } catch (const Error&) {
        context().messages->show(
            this, {u"DBの設定が不正です。設定し直して下さい[設定]-[ﾃﾞｰﾀﾍﾞｰｽ]より設定できます。"_qs,
                   u"ERROR"_qs, MessageIcon::Exclamation});
        // The screen host discards the screen, since its loading failed; the
        // main menu closes its connecting notice and reports the failure.
        return false;
    }
}

void RecordCountScreen::countRecords()
{
    const DataSourceSettings stored = readDataSourceRows(*context().settings);
    databaseValue_->setText(stored.databasePath);
    tableValue_->setText(stored.table);
    selectValue_->setText(stored.selectText);

    countValue_->setText(QString::number(countDataSourceRecords(*context().databases, stored)));
}

} // namespace hakobee
