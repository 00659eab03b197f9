#pragma once

#include "platform/keyboard/KeyboardLayouts.h"

#include <QStringList>

// Keyboard layouts for tests: installs itself for its lifetime, holds a
// list of installed layouts with one of them active, and records every
// activation asked for.
class FakeKeyboardLayouts : public KeyboardLayouts
{
public:
    explicit FakeKeyboardLayouts(QStringList installedLayouts, int active = 0)
        : m_layouts(std::move(installedLayouts))
        , m_active(active)
    {
        installKeyboardLayouts(this);
    }
    ~FakeKeyboardLayouts() override { installKeyboardLayouts(nullptr); }

    QString activeLayout() override { return m_layouts.value(m_active); }
    bool activateLayout(const QString &name) override
    {
        m_requests.append(name);
        const int index = m_layouts.indexOf(name);
        if (index < 0)
            return false;
        m_active = index;
        return true;
    }

    void switchTo(int index) { m_active = index; }
    int active() const { return m_active; }
    const QStringList &requests() const { return m_requests; }

private:
    QStringList m_layouts;
    int m_active;
    QStringList m_requests;
};
