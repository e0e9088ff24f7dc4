#pragma once

#include <QWidget>

class QLabel;
class QUrl;

namespace hakobee {

// The line a link button's screen shows when no browser could be started
// for its page: the operator is to open the address that follows by hand.
QString browserNotStartedText();

// Makes a label that shows an address selectable and copyable, with the
// mouse and the keyboard, and selects it all: Ctrl+C then copies it. The
// screen it is on grows to show it whole.
void offerAddressForCopying(QLabel* address);

// Where a link button's page could not be handed to a browser: the line
// above and the page's address, selectable, on the screen itself (no
// message box; the screen stays open). Hidden until showAddress().
class UnopenedPageNote : public QWidget
{
    Q_OBJECT

public:
    explicit UnopenedPageNote(QWidget* parent);

    void showAddress(const QUrl& address);

private:
    QLabel* note_ = nullptr;    // LabelNoBrowser
    QLabel* address_ = nullptr; // LabelNoBrowserAddress
};

} // namespace hakobee
