#pragma once

#include "ui/screen.h"

class QLabel;
class QPushButton;

namespace hakobee {

// A screen that leads to one page of the maker's web site: a note that the
// page needs the internet, the page's full address, and a button that hands
// the address to the system's browser. The screen stays open whatever the
// browser does.
class WebLinkScreen : public Screen
{
    Q_OBJECT

protected:
    WebLinkScreen(AppContext& context, const QString& caption, const QString& note,
                  const QString& pagePath, QWidget* parent);

private:
    void openPage();

    QString pagePath_;
    QLabel* note_ = nullptr;          // Label1
    QLabel* address_ = nullptr;       // Label2
    QPushButton* openPage_ = nullptr; // Command1
};

} // namespace hakobee
