#pragma once

#include <QString>

class QColor;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace hakobee::controls {

// The small factories every screen builds its controls with. Each control
// carries its legacy name as its object name, the name tests, screenshots
// and the screens' own texts refer to it by; the member that holds it is
// named for its role. Screens place controls with Qt layouts, never at fixed
// positions, so a screen's size follows from its content (its size hint).

// A caption.
QLabel* label(QWidget* parent, const QString& objectName, const QString& text = {});

// Shows a stored value in a sunken box; the text can be selected, and a
// long path or select text wraps instead of widening the window.
QLabel* valueLabel(QWidget* parent, const QString& objectName);

QPushButton* button(QWidget* parent, const QString& objectName, const QString& text);

QLineEdit* lineEdit(QWidget* parent, const QString& objectName, const QString& text = {});

// Changes the colour of a label's text (red status lines, blue values).
void setTextColour(QLabel* label, const QColor& colour);

} // namespace hakobee::controls
