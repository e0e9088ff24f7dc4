#pragma once

#include "core/barcode/barcodepicture.h"

#include <QWidget>

#include <memory>

namespace hakobee {

class BarcodeCalls;

// Picture1 of the run screens: the sample barcode, drawn by BarcodeDisplay2
// whenever the box paints (bar_disp).
class BarcodeSampleView : public QWidget
{
    Q_OBJECT

public:
    static QString sampleBarcodeText();

    explicit BarcodeSampleView(QWidget* parent = nullptr);

    // Without barcode calls the box stays empty.
    void setBarcodeCalls(const BarcodeCalls* calls);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const BarcodeCalls* calls_ = nullptr;
};

// Picture2 of the continuous-run screen: the barcode picture of the record
// being printed, at the screen's resolution.
class BarcodePictureView : public QWidget
{
    Q_OBJECT

public:
    explicit BarcodePictureView(QWidget* parent = nullptr);

    const std::shared_ptr<const BarcodePicture>& picture() const { return picture_; }
    void setPicture(std::shared_ptr<const BarcodePicture> picture);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const BarcodePicture> picture_;
};

} // namespace hakobee
