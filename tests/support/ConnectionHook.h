#pragma once

#include <sqlite3.h>

// Runs `entryPoint` on every SQLite connection that opens while the hook lives, in whatever
// thread opens it, as SQLite's automatic extensions do. Tests use it to make connections fail
// in ways a healthy file never does. An entry point that returns an error fails the open.
class ConnectionHook final
{
public:
    using EntryPoint = int (*)(sqlite3 *database, char **error, const sqlite3_api_routines *api);

    explicit ConnectionHook(EntryPoint entryPoint)
        : m_entryPoint(reinterpret_cast<void (*)()>(entryPoint))
    {
        sqlite3_auto_extension(m_entryPoint);
    }
    ~ConnectionHook() { sqlite3_cancel_auto_extension(m_entryPoint); }

    ConnectionHook(const ConnectionHook &) = delete;
    ConnectionHook &operator=(const ConnectionHook &) = delete;

private:
    void (*m_entryPoint)();
};
