#include "ui/controls.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hakobee::controls {

QLabel* label(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* created = new QLabel(text, parent);
    created->setObjectName(objectName);
    return created;
}

QLabel* valueLabel(QWidget* parent, const QString& objectName)
{
    QLabel* created = label(parent, objectName);
    created->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    created->setTextInteractionFlags(Qt::TextSelectableByMouse);
    created->setWordWrap(true);
    created->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return created;
}

QPushButton* button(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* created = new QPushButton(text, parent);
    created->setObjectName(objectName);
    return created;
}

QLineEdit* lineEdit(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* created = new QLineEdit(text, parent);
    created->setObjectName(objectName);
    return created;
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace hakobee::controls
