#pragma once

#include <memory>

// Where a platform service is found: an implementation installed by a test,
// else the platform's own, made on first use.
template<typename Service>
class ServiceSlot
{
public:
    using Factory = std::unique_ptr<Service> (*)();

    explicit ServiceSlot(Factory create)
        : m_create(create)
    {}

    Service &get()
    {
        if (m_installed)
            return *m_installed;
        if (!m_own)
            m_own = m_create();
        return *m_own;
    }

    // Not owned; nullptr brings back the platform's own.
    void install(Service *service) { m_installed = service; }

private:
    Factory m_create;
    std::unique_ptr<Service> m_own;
    Service *m_installed = nullptr;
};
