#include "platform/system/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>

namespace accessiblenames {
namespace {

class NamedComboBox : public QAccessibleWidget
{
public:
    explicit NamedComboBox(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

// One tab of a named row: named by its caption, chosen by pressing it.
class Tab : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    Tab(QTabBar *row, int index)
        : m_row(row)
        , m_index(index)
    {}

    int index() const { return m_index; }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    // A tab removed from the row leaves its interface behind until the row goes.
    bool isValid() const override { return m_row && m_index < m_row->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_row ? parent()->window() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_row);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    // Named by its caption; what its tooltip says of it is its description.
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        if (t == QAccessible::Name)
            return m_row->tabText(m_index);
        return t == QAccessible::Description ? m_row->tabToolTip(m_index) : QString();
    }

    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_row->tabRect(m_index);
        return {m_row->mapToGlobal(tab.topLeft()), tab.size()};
    }

    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = m_index == m_row->currentIndex();
        s.focusable = m_row->focusPolicy() != Qt::NoFocus;
        s.focused = s.selected && m_row->hasFocus();
        s.disabled = !m_row->isTabEnabled(m_index);
        s.invisible = !m_row->isVisible() || !m_row->isTabVisible(m_index);
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && isValid())
            m_row->setCurrentIndex(m_index);
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QTabBar> m_row;
    int m_index;
};

class NamedTabRow : public QAccessibleWidget
{
public:
    explicit NamedTabRow(QTabBar *row)
        : QAccessibleWidget(row, QAccessible::PageTabList)
    {}

    ~NamedTabRow() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return row()->count(); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= row()->count())
            return nullptr;
        QAccessible::Id &id = m_tabs[index];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new Tab(row(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *tab = dynamic_cast<const Tab *>(child);
        return tab && tab->parent() == this ? tab->index() : -1;
    }

    QAccessibleInterface *focusChild() const override
    {
        return row()->hasFocus() ? child(row()->currentIndex()) : nullptr;
    }

private:
    QTabBar *row() const { return static_cast<QTabBar *>(widget()); }

    // The tabs' interfaces, made as they are asked for.
    mutable QHash<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface *namedControl(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->accessibleName().isEmpty())
        return nullptr;
    if (className == QLatin1String("QComboBox"))
        return new NamedComboBox(static_cast<QComboBox *>(widget));
    if (className == QLatin1String("QTabBar"))
        return new NamedTabRow(static_cast<QTabBar *>(widget));
    return nullptr;
}

} // namespace

void setName(QWidget *control, const QString &name)
{
    QAccessible::installFactory(namedControl);
    control->setAccessibleName(name);
    // The box's line is what takes the typing: it goes by the same name.
    if (const auto *box = qobject_cast<QComboBox *>(control); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
}

} // namespace accessiblenames
