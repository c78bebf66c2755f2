#include "JobHandle.h"

#include <QCoroSignal>

QCoro::Task<> JobHandle::wait(Pointer job)
{
    if (!job->isFinished())
        co_await qCoro(job.get(), &JobHandle::finished);
}

void JobHandle::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT finished();
}
