#include "editor/WorkProgress.h"

#include "platform/richedit/PlainFile.h"
#include "platform/text/VirtualKeys.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <utility>

namespace {

// How long the answer to a refused change stays.
constexpr int kRefusalMs = 5000;

} // namespace

WorkProgress::WorkProgress(TRichEdit &editor, QStatusBar &statusBar, QLabel &panel, int panelIndex)
    : QObject(&editor)
    , m_editor(editor)
    , m_statusBar(statusBar)
    , m_panel(panel)
    , m_bar(new QProgressBar(&statusBar))
    , m_state(new QLabel(&statusBar))
{
    m_bar->setRange(0, 100);
    m_bar->setMaximumWidth(160);
    m_bar->setAccessibleName(tr("Progress"));
    m_bar->hide();
    m_state->hide();
    statusBar.insertWidget(panelIndex + 1, m_bar);
    statusBar.insertWidget(panelIndex + 2, m_state);
    connect(&editor, &TRichEdit::workProgress, this, &WorkProgress::show);
    connect(&editor, &TRichEdit::editRefused, this, &WorkProgress::showRefusal);
    connect(&editor, &TRichEdit::keyDown, this, &WorkProgress::stopOnEscape);
}

QString WorkProgress::workName(TRichEdit::Work work)
{
    switch (work) {
    case TRichEdit::Work::Loading:
        return tr("Loading ");
    case TRichEdit::Work::Reading:
        return tr("Reading ");
    case TRichEdit::Work::Saving:
        return tr("Saving ");
    case TRichEdit::Work::Changing:
        return tr("Changing ");
    case TRichEdit::Work::None:
        break;
    }
    return {};
}

void WorkProgress::show(TRichEdit::Work work, int percent)
{
    m_panel.setText(workName(work));
    const bool working = work != TRichEdit::Work::None;
    m_bar->setValue(percent);
    m_bar->setVisible(working);
    const QString state = working                 ? QString()
                          : m_editor.isPartial()  ? tr("Only part of the file was loaded")
                          : m_editor.isReadOnly() ? tr("Read-only: lines too long")
                                                  : QString();
    m_state->setText(state);
    m_state->setVisible(!state.isEmpty());
    // Said once when the file is in, and again at each change refused.
    if (std::exchange(m_work, work) == TRichEdit::Work::Loading && m_editor.isReadOnly())
        showRefusal();
}

void WorkProgress::showRefusal()
{
    if (m_editor.isLoading()) {
        m_statusBar.showMessage(tr("The file is still loading and takes no changes until it is "
                                   "loaded. Escape stops loading."),
                                kRefusalMs);
    } else if (m_editor.isReadOnly()) {
        m_statusBar.showMessage(tr("Lines longer than %1 characters are shown in pieces of that "
                                   "length and cannot be changed; saving writes them as they "
                                   "were.")
                                    .arg(plainfile::kLongestLine),
                                kRefusalMs);
    }
}

void WorkProgress::stopOnEscape(int virtualKey)
{
    if (virtualKey == vk::Escape && m_editor.isLoading())
        m_editor.stopLoading();
}
