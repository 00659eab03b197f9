#pragma once

#include "platform/richedit/TRichEdit.h"

#include <QObject>

class QLabel;
class QProgressBar;
class QStatusBar;

// What an edit window shows of its control's long work (TRichEdit::Work):
// the work's name in status panel 3, "Loading " while a file loads, with a
// progress bar beside it; afterwards, beside the panel, that only part of
// the file was loaded or that the document is read-only. Escape stops a
// load, and a change the control refuses meanwhile is answered with why.
class WorkProgress : public QObject
{
    Q_OBJECT

public:
    // The panel is the status bar's widget at panelIndex.
    WorkProgress(TRichEdit &editor, QStatusBar &statusBar, QLabel &panel, int panelIndex);

private:
    static QString workName(TRichEdit::Work work);
    void show(TRichEdit::Work work, int percent);
    void showRefusal();
    void stopOnEscape(int virtualKey);

    TRichEdit &m_editor;
    QStatusBar &m_statusBar;
    QLabel &m_panel;
    QProgressBar *m_bar;
    QLabel *m_state;
    TRichEdit::Work m_work = TRichEdit::Work::None;
};
