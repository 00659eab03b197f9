#pragma once

#include <QTabBar>

// A row of tabs, each carrying a Tag: the number that ties a tab to its
// document window.
class PageControl : public QTabBar
{
    Q_OBJECT

public:
    explicit PageControl(QWidget *parent = nullptr);

    // Adds a tab at the end and returns its index.
    int addPage(const QString &caption, int tag);
    int tag(int index) const;
    // The first of the tabs 0 .. limit − 1 with the tag, or −1.
    int indexOfTag(int tag, int limit = -1) const;
    // Makes a tab the active one without raising currentChanged: only a
    // user's choice counts as a change.
    void setActivePage(int index);
    // Removes a tab; the tab that becomes active is no user's choice either.
    void removePage(int index);
    // A tab whose document has unsaved changes shows a mark beside its
    // caption, which stays as it is; screen readers hear of it as the tab's
    // description.
    void setPageModified(int index, bool modified);
    bool isPageModified(int index) const;

Q_SIGNALS:
    // A mouse button was released over the tab row.
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // A dot in the tabs' text colour.
    QIcon modifiedMark() const;
};
