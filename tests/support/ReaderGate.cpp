#include "ReaderGate.h"

#include <condition_variable>
#include <mutex>

namespace {

std::mutex mutex;
std::condition_variable opened;
bool isClosed = false;

// Called by SQLite between the steps of a statement on the reading thread.
int waitWhileClosed(void *)
{
    std::unique_lock lock(mutex);
    opened.wait(lock, [] { return !isClosed; });
    return 0;
}

int holdReaders(sqlite3 *database, char **, const sqlite3_api_routines *)
{
    if (sqlite3_db_readonly(database, "main") == 1)
        sqlite3_progress_handler(database, 1, &waitWhileClosed, nullptr);
    return SQLITE_OK;
}

void setClosed(bool closed)
{
    {
        const std::lock_guard lock(mutex);
        isClosed = closed;
    }
    opened.notify_all();
}

} // namespace

ReaderGate::ReaderGate()
    : m_hook(&holdReaders)
{
}

ReaderGate::~ReaderGate()
{
    open();
}

void ReaderGate::close()
{
    setClosed(true);
}

void ReaderGate::open()
{
    setClosed(false);
}
