#include "platform/richedit/PlainStates.h"

#include "platform/richedit/EditView.h"

#include <QTextDocument>

PlainStates::PlainStates(std::function<PlainView *()> makeView)
    : m_makeView(std::move(makeView))
{}

PlainStates::PlainView *PlainStates::spare()
{
    if (!m_spare.isEmpty())
        return m_spare.takeLast();
    if (m_made < kViews) {
        ++m_made;
        return m_makeView();
    }
    if (!m_later.isEmpty()) {
        drop(m_later.takeFirst());
    } else {
        drop(m_earlier.takeFirst());
    }
    return m_spare.takeLast();
}

void PlainStates::advance(PlainView *shown)
{
    dropLater();
    m_earlier.append(shown);
}

PlainStates::PlainView *PlainStates::back(PlainView *shown)
{
    if (m_earlier.isEmpty())
        return nullptr;
    m_later.append(shown);
    return m_earlier.takeLast();
}

PlainStates::PlainView *PlainStates::forward(PlainView *shown)
{
    if (m_later.isEmpty())
        return nullptr;
    m_earlier.append(shown);
    return m_later.takeLast();
}

void PlainStates::dropLater()
{
    while (!m_later.isEmpty())
        drop(m_later.takeLast());
}

void PlainStates::clear()
{
    dropLater();
    while (!m_earlier.isEmpty())
        drop(m_earlier.takeLast());
}

void PlainStates::markModified()
{
    for (const QList<PlainView *> *states : {&m_earlier, &m_later}) {
        for (PlainView *view : *states)
            view->document()->setModified(true);
    }
}

void PlainStates::drop(PlainView *view)
{
    QTextDocument *doc = view->document();
    // The view makes an empty document of its own; the one it showed was
    // the control's.
    view->setDocument(nullptr);
    delete doc;
    m_spare.append(view);
}
