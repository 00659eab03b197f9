#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QDropEvent;
class QWidget;

// Lets the widget that owns it take files dragged from other programs (a
// file manager, say) and reports each drop as the files' full paths and bare
// names, followed by fileDrop(). Only local files count: a drag that carries
// none is refused. While attached it takes every drag that reaches its
// owner, so the owner's own drop handling never runs. Files dragged over
// the owner's controls go on to it, unless a control nearer to them has an
// enabled target of its own: the whole window takes them. Text dragged
// there stays the controls'.
class TDragDrop : public QObject
{
    Q_OBJECT

public:
    // Attaches to `owner` when it is a widget; an owner that is not keeps
    // the component detached for good.
    explicit TDragDrop(QObject *owner);
    ~TDragDrop() override;

    // The files of the last drop, in the order the drop listed them; entry
    // i of both lists is the same file.
    const QStringList &fullPath() const { return m_fullPath; }
    const QStringList &filenames() const { return m_filenames; }
    // The number of files of the last drop; 0 before the first.
    int count() const { return m_count; }

    // Whether the owner takes dropped files; false at first.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Puts a file at the front of both lists: how an edit window hands a
    // file dropped on it to the frame's component.
    void insertFirst(const QString &path, const QString &name);

Q_SIGNALS:
    // After every drop, once the drag is over, with the lists filled.
    void fileDrop(TDragDrop *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ownerDragEvent(QEvent *event);
    // Whether the drag may end here; accepts it as a copy when it may.
    bool takeDrag(QDropEvent *event) const;
    void handleDrop(const QStringList &paths);

    QPointer<QWidget> m_owner;
    QStringList m_fullPath;
    QStringList m_filenames;
    int m_count = 0;
    bool m_enabled = false;
};
