#pragma once

#include <QByteArray>
#include <QtGlobal>

class QWidget;

namespace hakobee {

// The platform's print-setup dialog. It starts from a DevMode and a DevNames
// record (as bytes, the blocks the Windows dialog takes) and, when the
// operator confirms, leaves the chosen printer and settings in them.
class PrintSetupDialog
{
public:
    virtual ~PrintSetupDialog() = default;

    // Returns true when confirmed; on cancel or close the records may have
    // been changed but are not to be used. flags are the PrintDlg flags
    // (PD_PRINTSETUP 0x40, ...).
    virtual bool exec(quint32 flags, QWidget* owner, QByteArray& devMode, QByteArray& devNames) = 0;
};

} // namespace hakobee
