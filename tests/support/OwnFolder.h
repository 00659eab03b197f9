#pragma once

#include <QFile>
#include <QTemporaryDir>

// Points an XDG folder variable (XDG_CACHE_HOME, XDG_RUNTIME_DIR ...) at a
// folder of the test's own while it lives, with the permissions given.
class OwnFolder
{
public:
    explicit OwnFolder(const char *variable, QFileDevice::Permissions permissions = {})
        : m_variable(variable)
        , m_previous(qgetenv(variable))
    {
        if (permissions)
            QFile::setPermissions(m_dir.path(), permissions);
        qputenv(variable, QFile::encodeName(m_dir.path()));
    }
    ~OwnFolder() { qputenv(m_variable, m_previous); }
    OwnFolder(const OwnFolder &) = delete;
    OwnFolder &operator=(const OwnFolder &) = delete;

private:
    QTemporaryDir m_dir;
    const char *m_variable;
    QByteArray m_previous;
};
