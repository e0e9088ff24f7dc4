#pragma once

#include "ui/screen.h"

#include <QUrl>

class QLabel;
class QPushButton;

namespace hakobee {

// A screen that leads to one of the maker's pages: a note that the page
// needs the internet, the page's full address, and a button that hands the
// address to the system's browser. The address is the program's own copy
// of the page unless the build names the maker's site. The screen stays
// open whatever the browser does; when none can be started it says so
// and offers the address for copying.
class WebLinkScreen : public Screen
{
    Q_OBJECT

protected:
    WebLinkScreen(AppContext& context, const QString& caption, const QString& note,
                  const QString& pagePath, QWidget* parent);

private:
    void openPage();

    QUrl page_;
    QLabel* note_ = nullptr;          // Label1
    QLabel* noBrowser_ = nullptr;     // LabelNoBrowser, shown when no browser started
    QLabel* address_ = nullptr;       // Label2
    QPushButton* openPage_ = nullptr; // Command1
};

} // namespace hakobee
