#include "ui/screens/mainwindow.h"

#include "core/programversion.h"
#include "ui/programicon.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/onlinehelpscreen.h"
#include "ui/screens/onlinesupportscreen.h"
#include "ui/screens/partialrunscreen.h"
#include "ui/screens/positionadjustmentscreen.h"
#include "ui/screens/versioninfoscreen.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace hakobee {

namespace {

struct MenuItemEntry
{
    const char* menuName;
    const char16_t* menuCaption;
    const char16_t* itemName;
    const char16_t* itemCaption;
};

// The menu bar, in order. Items whose screens are not part of the program
// yet stay disabled until openOnTrigger() wires them.
constexpr MenuItemEntry menuItems[] = {
    {"mnuFile", u"ﾌｧｲﾙ(&F)", u"mnuFileExit", u"終了(&X)"},
    {"set", u"設定(&S)", u"set1", u"出力形式(&A)"},
    {"set", u"設定(&S)", u"set2", u"データベース(&B)"},
    {"set", u"設定(&S)", u"印刷位置調整", u"印刷位置調整(&I)"},
    {"印刷", u"印刷(&P)", u"通常印刷", u"通常印刷"},
    {"印刷", u"印刷(&P)", u"部分印刷", u"部分印刷"},
    {"mnuView", u"表示(&V)", u"mnuViewToolbar", u"ﾂｰﾙ ﾊﾞｰ(&T)"},
    {"mnuView", u"表示(&V)", u"main1", u"メインページ"},
    {"mnuHelp", u"ﾍﾙﾌﾟ(&H)", u"オンラインヘルプ", u"ｵﾝﾗｲﾝﾍﾙﾌﾟ(&O)"},
    {"mnuHelp", u"ﾍﾙﾌﾟ(&H)", u"オンラインサポート", u"ｵﾝﾗｲﾝｻﾎﾟｰﾄ(&S)"},
    {"mnuHelp", u"ﾍﾙﾌﾟ(&H)", u"mnuHelpAbout", u"ﾊﾞｰｼﾞｮﾝ情報(&A)"},
};

QLabel* addPanel(QStatusBar* bar, const char* name, bool stretch)
{
    auto* panel = new QLabel(bar);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    if (stretch)
        bar->addWidget(panel, 1);
    else
        bar->addPermanentWidget(panel);
    return panel;
}

} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context)
{
    setObjectName(QString::fromLatin1(screenObjectName));
    setWindowTitle(
        u"データハコビー C7034 Va%1　ｵﾝﾗｲﾝｿﾌﾄ"_qs.arg(QString::fromLatin1(programVersion)));
    setWindowIcon(programIcon());
    resize(1024, 720);

    area_ = new QMdiArea(this);
    area_->setObjectName(u"mdiArea"_qs);
    setCentralWidget(area_);

    buildMenus();
    buildStatusBar();
    openOnTrigger<DataSourceScreen>(u"set2"_qs);
    openOnTrigger<PositionAdjustmentScreen>(u"印刷位置調整"_qs);
    openOnTrigger<OnlineHelpScreen>(u"オンラインヘルプ"_qs);
    openOnTrigger<OnlineSupportScreen>(u"オンラインサポート"_qs);
    openOnTrigger<VersionInfoScreen>(u"mnuHelpAbout"_qs);
    openOnTrigger<LayoutSelectionScreen>(u"set1"_qs);
    openOnTrigger<ContinuousRunScreen>(u"通常印刷"_qs);
    openOnTrigger<PartialRunScreen>(u"部分印刷"_qs);
}

QString MainWindow::mainPageKey()
{
    return u"Form1.mainPage"_qs;
}

void MainWindow::buildMenus()
{
    QMenu* menu = nullptr;
    for (const MenuItemEntry& entry : menuItems) {
        const QString menuName = QString::fromUtf8(entry.menuName);
        if (!menu || menu->objectName() != menuName) {
            menu = menuBar()->addMenu(QString::fromUtf16(entry.menuCaption));
            menu->setObjectName(menuName);
        }
        QAction* item = menu->addAction(QString::fromUtf16(entry.itemCaption));
        item->setObjectName(QString::fromUtf16(entry.itemName));
        item->setEnabled(false);
    }

    QAction* exit = menuItem(u"mnuFileExit"_qs);
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // The window has no toolbar; the item only carries its check mark.
    QAction* toolbar = menuItem(u"mnuViewToolbar"_qs);
    toolbar->setEnabled(true);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);

    QAction* mainPage = menuItem(u"main1"_qs);
    mainPage->setEnabled(true);
    connect(mainPage, &QAction::triggered, this, &MainWindow::openMainPage);
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(u"sbStatusBar"_qs);
    addPanel(bar, "sbStatusText", true)->setText(u"ｽﾃｰﾀｽ"_qs);
    datePanel_ = addPanel(bar, "sbStatusDate", false);
    timePanel_ = addPanel(bar, "sbStatusTime", false);
    showDateAndTime();

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::showDateAndTime);
    clock_->start();
}

void MainWindow::showDateAndTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    datePanel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    timePanel_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

QAction* MainWindow::menuItem(const QString& objectName) const
{
    auto* item = findChild<QAction*>(objectName);
    Q_ASSERT(item);
    return item;
}

void MainWindow::load()
{
    context_.screens->setContainer(area_);
    context_.screens->open<MainMenuScreen>();
}

void MainWindow::openMainPage()
{
    context_.screens->open<MainMenuScreen>(mainPageKey());
}

void MainWindow::reportOpenFailure(const Error& error)
{
    context_.messages->show(
        this, {error.description(), windowTitle(), MessageIcon::Critical, MessageButtons::Ok});
}

} // namespace hakobee
