#pragma once

#include <QString>

class QWidget;

// Screen readers read a control by its accessible name. On Linux, Qt names
// two kinds of control by what they show, whatever name they were given:
// an editable combo box by its text, and a tab row by its current tab (an
// empty row by nothing). Named here, they keep their name: the box's text
// is its value, the row's tabs are its children.
namespace accessiblenames {

// Names the control for screen readers. Call it before anything asks for
// the control's accessible interface, which Qt keeps once it is made.
void setName(QWidget *control, const QString &name);

} // namespace accessiblenames
