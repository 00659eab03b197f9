#pragma once

#include <QList>
#include <QPlainTextEdit>

#include <functional>

template<class Base>
class EditView;

// The states a big plain document had before and after its whole-text
// writes, for Undo and Redo: each a document in a plain view of its own,
// kept laid out for the width it was shown at. A plain view given another
// document lays every paragraph of it out anew, which costs a quarter of a
// second and 350 bytes per paragraph for 20 MB; showing another view costs
// nothing. Each state keeps its own undo history. A few are kept: the
// earliest gives way when a write needs a view.
class PlainStates
{
public:
    using PlainView = EditView<QPlainTextEdit>;

    // How many plain views there may be: the one shown, one for the state a
    // write builds, and the rest for states to go back to.
    static constexpr int kViews = 3;

    // makeView makes a plain view like the one shown, without a document
    // of its own to keep.
    explicit PlainStates(std::function<PlainView *()> makeView);

    // A view that shows no state, for a write to build its state in.
    PlainView *spare();
    // A write built a new state in a spare view, which is now shown:
    // `shown` holds the state before it; the states after that are gone.
    void advance(PlainView *shown);
    // The view of the state before `shown`, which becomes the state after
    // it; null when there is none.
    PlainView *back(PlainView *shown);
    // The view of the state after `shown`, which becomes one before it;
    // null when there is none.
    PlainView *forward(PlainView *shown);
    bool canGoBack() const { return !m_earlier.isEmpty(); }
    bool canGoForward() const { return !m_later.isEmpty(); }
    // The states after the shown one can no longer be reached: an edit.
    void dropLater();
    // Every state but the shown one goes: the document was replaced.
    void clear();
    // Every state kept but the shown one counts as modified: the shown one
    // was just saved.
    void markModified();

private:
    // Frees the view's document and takes the view back.
    void drop(PlainView *view);

    std::function<PlainView *()> m_makeView;
    QList<PlainView *> m_earlier; // the earliest first
    QList<PlainView *> m_later;   // the next one last
    QList<PlainView *> m_spare;
    int m_made = 1; // the view shown at first
};
