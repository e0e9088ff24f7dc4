#pragma once

#include "core/error.h"
#include "core/messageboxes.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QTimer;

namespace hakobee {

// The program's main window: a document area that holds the screens, the
// menu bar that opens them, and a status bar with the date and the time.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "frmMain";

    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

    // Opens the start-up main menu inside the document area.
    void load();

    // Host key of the main menu opened by "メインページ"; the start-up one
    // has the default key, so the two are separate windows.
    static QString mainPageKey();

    QMdiArea* documentArea() const { return area_; }
    QAction* menuItem(const QString& objectName) const;

    // Wires a menu item to a screen: enables it and opens the screen (one
    // window, raised on later clicks) each time it is chosen, e.g.
    //     openOnTrigger<Form3>(u"set1"_qs);
    template<class T> void openOnTrigger(const QString& itemName)
    {
        QAction* item = menuItem(itemName);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this] {
            try {
                context_.screens->open<T>();
            } catch (const Error& error) {
                reportOpenFailure(error);
            }
        });
    }

private:
    void buildMenus();
    void buildStatusBar();
    void showDateAndTime();
    void openMainPage();
    void reportOpenFailure(const Error& error);

    AppContext& context_;
    QMdiArea* area_ = nullptr;
    QLabel* datePanel_ = nullptr;
    QLabel* timePanel_ = nullptr;
    QTimer* clock_ = nullptr;
};

} // namespace hakobee
