#ifndef KEYTAPS_H
#define KEYTAPS_H

#include <QString>

#include <functional>

class QPushButton;
class QWidget;

// Taps a widget as the touch panel does: a mouse press and a release at its centre.
void tap(QWidget* widget);
// The push button of a dialog that shows this caption; the test fails hard without one.
QPushButton* buttonOf(QWidget* dialog, const QString& caption);
// Taps the key of each character of text, in order.
void tapKeys(QWidget* keyboard, const QString& text);
// Runs steps inside an open modal dialog (from a dialog answerer's handler). When a check among
// them failed and left the dialog open, it is rejected, so that the test ends instead of waiting.
void actInside(QWidget* dialog, const std::function<void()>& steps);

#endif
