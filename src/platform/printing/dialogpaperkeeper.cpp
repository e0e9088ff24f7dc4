#include "platform/printing/dialogpaperkeeper.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QRadioButton>

namespace hakobee {

namespace {

// The controls of Qt's page setup page, by the object names Qt gives them.
struct PageSetupControls
{
    QComboBox* sizes = nullptr;
    QComboBox* units = nullptr;
    QDoubleSpinBox* width = nullptr;
    QDoubleSpinBox* height = nullptr;
    QRadioButton* landscape = nullptr;

    explicit PageSetupControls(QDialog* page)
        : sizes(page->findChild<QComboBox*>(u"pageSizeCombo"_qs)),
          units(page->findChild<QComboBox*>(u"unitCombo"_qs)),
          width(page->findChild<QDoubleSpinBox*>(u"pageWidth"_qs)),
          height(page->findChild<QDoubleSpinBox*>(u"pageHeight"_qs)),
          landscape(page->findChild<QRadioButton*>(u"landscape"_qs))
    {}

    bool complete() const { return sizes && units && width && height && landscape; }

    // The entry of a named size; the entry "Custom" has no size.
    int entryOf(const QPageSize& paper) const
    {
        for (int index = 0; index < sizes->count(); ++index) {
            const QVariant data = sizes->itemData(index);
            if (paper.id() == QPageSize::Custom
                    ? !data.isValid()
                    : data.isValid() && qvariant_cast<QPageSize>(data).id() == paper.id())
                return index;
        }
        return -1;
    }

    // The spin boxes give the page as it lies (turned when landscape).
    QSizeF customSizeMm() const
    {
        const QSizeF shown(width->value(), height->value());
        const auto unit = qvariant_cast<QPageLayout::Unit>(units->currentData());
        const QPageSize size(landscape->isChecked() ? shown.transposed() : shown,
                             QPageSize::Unit(unit), QString(), QPageSize::ExactMatch);
        return size.size(QPageSize::Millimeter);
    }

    std::optional<QPageSize> paper() const
    {
        const QVariant data = sizes->currentData();
        if (data.isValid())
            return qvariant_cast<QPageSize>(data);
        if (sizes->currentIndex() < 0)
            return std::nullopt;
        return QPageSize(customSizeMm(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }

    void show(const QPageSize& paper)
    {
        const int entry = entryOf(paper);
        if (entry < 0)
            return; // the printer has no such size: the page shows its own
        sizes->setCurrentIndex(entry);
        if (paper.id() != QPageSize::Custom)
            return;
        units->setCurrentIndex(units->findData(QVariant::fromValue(QPageLayout::Millimeter)));
        const QSizeF mm = paper.size(QPageSize::Millimeter);
        const QSizeF shown = landscape->isChecked() ? mm.transposed() : mm;
        width->setValue(shown.width());
        height->setValue(shown.height());
    }
};

bool isPropertiesPage(QObject* object)
{
    return object->inherits("QPrintPropertiesDialog");
}

} // namespace

DialogPaperKeeper::DialogPaperKeeper(QPrintDialog& dialog, std::optional<QPageSize> given)
    : dialog_(&dialog), paper_(std::move(given))
{
    // The page is made by the dialog when first needed and made anew when
    // the operator picks another printer: watch for any of them being shown.
    qApp->installEventFilter(this);
}

DialogPaperKeeper::~DialogPaperKeeper()
{
    qApp->removeEventFilter(this);
}

bool DialogPaperKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && isPropertiesPage(watched) &&
        watched->parent() == dialog_.data())
        pageOpened(static_cast<QDialog*>(watched));
    return false;
}

void DialogPaperKeeper::pageOpened(QDialog* page)
{
    PageSetupControls controls(page);
    if (!controls.complete())
        return;
    if (paper_)
        controls.show(*paper_);
    if (!followed_.contains(page)) {
        followed_.append(page);
        connect(page, &QDialog::finished, this,
                [this, page](int result) { pageClosed(page, result); });
    }
}

void DialogPaperKeeper::pageClosed(QDialog* page, int result)
{
    // On Cancel Qt puts its own first paper back on the page; the next time
    // it opens it shows the kept one again.
    if (result != QDialog::Accepted)
        return;
    if (const std::optional<QPageSize> chosen = PageSetupControls(page).paper())
        paper_ = chosen;
}

} // namespace hakobee
