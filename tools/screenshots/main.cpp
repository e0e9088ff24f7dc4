// Writes a picture of every screen of the program, one PNG per screen named
// after the screen, into the folder given on the command line. Each screen is
// created with its own settings root in a temporary folder, filled from the
// default copies beside this program, and drawn as the program shows it: a
// sub-window of the main window, with its frame and at its own size.
//
//   hakobee-screenshots OUTDIR        (run with QT_QPA_PLATFORM=offscreen)
#include "core/settings/datasourcefile.h"
#include "core/settings/settingsfiles.h"
#include "platform/desktop/fonts.h"
#include "testdata/productstable.h"
#include "ui/productioncontext.h"
#include "ui/screenhost.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/connectiontypescreen.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/labelprogressscreen.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/mainwindow.h"
#include "ui/screens/onlinehelpscreen.h"
#include "ui/screens/onlinesupportscreen.h"
#include "ui/screens/paperselectionscreen.h"
#include "ui/screens/partialrunscreen.h"
#include "ui/screens/positionadjustmentscreen.h"
#include "ui/screens/recordcountscreen.h"
#include "ui/screens/sampledatascreen.h"
#include "ui/screens/versioninfoscreen.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

using namespace hakobee;

namespace {

// The window's seams for one screen, put together as the program puts them
// together, over a settings root of its own in a temporary folder restored
// from the default copies beside this tool, without dialogs (a message goes
// to standard error), and with the PDF folder printer alone as the printer,
// whatever is installed, so the printer screens look the same on every
// machine; nothing is printed.
class ScreenshotSession
{
public:
    ScreenshotSession() : production(screenshotOptions(root))
    {
        resetSettingsFiles(production.parts().settings());
    }

    // Points the data source at a freshly written database of the sample's
    // shape (table Master: bar, hi, mei, as2) with 30 products.
    void useGeneratedDatabase()
    {
        const QString path = root.filePath(u"sample.mdb"_qs);
        mdbwriter::writeDatabase(path, {testdata::generatedProductsTable(u"Master"_qs, 30)});
        writeDataSource(
            production.parts().settings(),
            {QDir::toNativeSeparators(path), u"Master"_qs, u"select bar,hi,mei,as2 from"_qs});
    }

    QTemporaryDir root;
    ProductionContext production;
    ScreenHost& screens = production.screens();
    std::unique_ptr<QWidget> owned; // a window the host does not own

    // The main window with its main menu, as the program starts; screens
    // opened afterwards become its sub-windows.
    MainWindow& mainWindow()
    {
        if (!window_) {
            window_ = std::make_unique<MainWindow>(production.context());
            window_->show();
            window_->load();
        }
        return *window_;
    }

    // Opens the screen inside the main window; returns its sub-window.
    template<class T> QWidget* openInMainWindow()
    {
        mainWindow();
        T* screen = screens.open<T>();
        return screen ? screen->parentWidget() : nullptr;
    }

private:
    static ProductionOptions screenshotOptions(const QTemporaryDir& root)
    {
        ProductionOptions options;
        options.settingsRoot = root.path();
        options.defaultCopyFolders = {QCoreApplication::applicationDirPath()};
        options.pdfFolder = root.filePath(u"labels"_qs);
        options.dialogs = ProductionOptions::Dialogs::Unattended;
        return options;
    }

    std::unique_ptr<MainWindow> window_;
};

struct Screenshot
{
    const char* name;
    // Creates and shows the screen; returns the window to grab.
    std::function<QWidget*(ScreenshotSession&)> show;
};

// One line per screen.
const Screenshot screenshots[] = {
    {"frmMain",
     [](ScreenshotSession& session) -> QWidget* {
         return &session.mainWindow();
     }},
    {"Form1",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<MainMenuScreen>();
     }},
    {"Form8",
     [](ScreenshotSession& session) -> QWidget* {
         session.owned = std::make_unique<ConnectingNoticeWindow>();
         session.owned->show();
         return session.owned.get();
     }},
    {"setOracle",
     [](ScreenshotSession& session) -> QWidget* {
         session.useGeneratedDatabase();
         QWidget* frame = session.openInMainWindow<DataSourceScreen>();
         // After a connection test: the count and the values read back.
         if (frame)
             frame->findChild<QPushButton*>(u"Command2"_qs)->click();
         return frame;
     }},
    {"Form6",
     [](ScreenshotSession& session) -> QWidget* {
         session.useGeneratedDatabase();
         return session.openInMainWindow<RecordCountScreen>();
     }},
    {"Form12",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<SampleDataScreen>();
     }},
    {"frmprinting",
     [](ScreenshotSession& session) -> QWidget* {
         QWidget* frame = session.openInMainWindow<LabelProgressScreen>();
         // Half-way through a label.
         if (frame)
             session.screens.find<LabelProgressScreen>()->setProgressSquares(12);
         return frame;
     }},
    {"Form13",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<PositionAdjustmentScreen>();
     }},
    {"Form17",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<ConnectionTypeScreen>();
     }},
    {"Form7",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<PaperSelectionScreen>();
     }},
    {"frmAbout",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<VersionInfoScreen>();
     }},
    {"Form9",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<OnlineHelpScreen>();
     }},
    {"Form10",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<OnlineSupportScreen>();
     }},
    {"Form3",
     [](ScreenshotSession& session) -> QWidget* {
         return session.openInMainWindow<LayoutSelectionScreen>();
     }},
    {"F_CustInput",
     [](ScreenshotSession& session) -> QWidget* {
         session.useGeneratedDatabase();
         QWidget* frame = session.openInMainWindow<ContinuousRunScreen>();
         // The third row selected: its label shows in the preview.
         if (auto* grid = frame ? frame->findChild<QTableView*>(u"DataGrid1"_qs) : nullptr)
             grid->setCurrentIndex(grid->model()->index(2, 0));
         return frame;
     }},
    {"F_CustInput2",
     [](ScreenshotSession& session) -> QWidget* {
         session.useGeneratedDatabase();
         QWidget* frame = session.openInMainWindow<PartialRunScreen>();
         if (frame) {
             frame->findChild<QLineEdit*>(u"TextPP1"_qs)->setText(u"3"_qs);
             frame->findChild<QLineEdit*>(u"TextPP2"_qs)->setText(u"12"_qs);
         }
         return frame;
     }},
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    useJapaneseDefaultFont();
    if (argc != 2) {
        std::fprintf(stderr, "usage: hakobee-screenshots OUTDIR\n");
        return 2;
    }
    const QDir outDir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(outDir.path())) {
        std::fprintf(stderr, "hakobee-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Screenshot& screenshot : screenshots) {
        ScreenshotSession session;
        QWidget* window = screenshot.show(session);
        const QString path = outDir.filePath(QString::fromLatin1(screenshot.name) + u".png"_qs);
        if (!window) {
            std::fprintf(stderr, "hakobee-screenshots: %s did not open\n", screenshot.name);
            ++failures;
            continue;
        }
        QApplication::processEvents();
        if (!window->grab().save(path)) {
            std::fprintf(stderr, "hakobee-screenshots: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
        window->close();
        QApplication::processEvents();
    }
    return failures == 0 ? 0 : 1;
}
