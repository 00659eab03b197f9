#pragma once

#include "platform/richedit/TRichEdit.h"

#include <QTest>

// Runs each test function of a test class once with the control's plain
// view and once with its rich view: call it in initTestCase_data().
inline void addViewRows()
{
    QTest::addColumn<bool>("plainView");
    QTest::newRow("plain view") << true;
    QTest::newRow("rich view") << false;
}

// The control in the mode that puts its document into the view of the run:
// plain-text mode into the plain view, rich-text mode into the rich one.
class ViewedEdit : public TRichEdit
{
public:
    ViewedEdit()
    {
        QFETCH_GLOBAL(bool, plainView);
        setPlainTextMode(plainView);
    }
};
