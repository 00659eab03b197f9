#pragma once

#include <QString>

#include <functional>
#include <initializer_list>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

// The controls the Options dialog's pages are made of. Buttons and check
// boxes are named for screen readers by their captions and show their hints
// as tooltips. A "&" in a caption marks the letter that Alt presses it by.
namespace optionscontrols {

enum class Look { Plain, Bold, Green };

QPushButton *button(QWidget *parent, const char *name, const QString &caption,
                    const QString &hint = {});
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption,
                    const QString &hint = {});
// A label that wraps its text over as many lines as it needs.
QLabel *label(QWidget *parent, const QString &text, Look look = Look::Plain);

// Runs the handler when the user clicks the button; a failure the handler
// does not handle itself is shown, and the dialog carries on.
void onClick(QAbstractButton *button, std::function<void()> handler);

// A page's Apply button; it starts disabled, as a page starts clean.
QPushButton *applyButton(QWidget *page, const char *name);
// The page's last row: the given controls on the left, Apply at the right.
void addApplyRow(QBoxLayout *page, QPushButton *apply, std::initializer_list<QWidget *> left = {});

} // namespace optionscontrols
