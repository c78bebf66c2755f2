#include "SerialExecutor.h"

SerialExecutor::SerialExecutor()
{
    m_pool.setMaxThreadCount(1);
    // The thread (and any thread-local state of the call it runs) lives as long as the executor.
    m_pool.setExpiryTimeout(-1);
}

SerialExecutor::~SerialExecutor()
{
    waitForDone();
}

void SerialExecutor::waitForDone()
{
    m_pool.waitForDone();
}
