#pragma once

#include "ui/screen.h"

class QFrame;
class QLabel;
class QPushButton;

namespace hakobee {

class UnopenedPageNote;

// The version information box (menu "ﾊﾞｰｼﾞｮﾝ情報"): the program's icon, name,
// version and what it is for, with a link to the layout order form (shown
// on the box itself when no browser can be started). Its texts are fixed.
class VersionInfoScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "frmAbout";

    explicit VersionInfoScreen(AppContext& context, QWidget* parent = nullptr);

private:
    void openLayoutOrderForm();

    QLabel* icon_ = nullptr;                 // picIcon
    QLabel* title_ = nullptr;                // lblTitle
    QLabel* version_ = nullptr;              // lblVersion
    QLabel* description_ = nullptr;          // lblDescription
    QFrame* separator_ = nullptr;            // Line1
    QPushButton* ok_ = nullptr;              // cmdOK
    QPushButton* layoutOrderForm_ = nullptr; // Command1
    UnopenedPageNote* unopenedPage_ = nullptr;
};

} // namespace hakobee
