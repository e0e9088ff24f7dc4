#include "core/printrun/printrunview.h"

namespace hakobee {

QString runStatusText(RunStatus status)
{
    switch (status) {
    case RunStatus::Printing:
        return u"※ただ今印刷処理中!!"_qs;
    case RunStatus::Finished:
        return u"※印刷処理終了!!"_qs;
    }
    return {};
}

} // namespace hakobee
