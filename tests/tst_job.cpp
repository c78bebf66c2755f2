#include "Support/Job.h"
#include "support/VirtualClock.h"

#include <QTest>

using namespace std::chrono_literals;

class JobTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWaiterGetsTheValue()
    {
        VirtualClock clock;
        auto job = Job<int>::start([&clock](std::stop_token) -> QCoro::Task<int> {
            co_await clock.sleep(1s);
            co_return 7;
        });
        QVERIFY(!job.isFinished());
        QList<int> seen;
        auto waiter = [&seen](Job<int> awaited) -> QCoro::Task<> {
            const int value = co_await awaited.value();
            seen.append(value);
        };
        waiter(job);
        waiter(job);
        QTRY_COMPARE(clock.pendingSleeps(), 1);
        clock.advance(1s);
        QVERIFY(job.isFinished());
        QCOMPARE(seen, (QList<int>{7, 7}));
        waiter(job); // after the end, the value is still there
        QCOMPARE(seen.size(), 3);
    }

    void errorsReachEveryWaiter()
    {
        auto job = Job<void>::start([](std::stop_token) -> QCoro::Task<void> {
            throw std::runtime_error("provider down");
            co_return;
        });
        QVERIFY(!job.isFinished()); // the body has not begun yet
        QString caught;
        auto waiter = [&caught](Job<void> awaited) -> QCoro::Task<> {
            try {
                co_await awaited.value();
            } catch (const std::runtime_error &error) {
                caught = QString::fromUtf8(error.what());
            }
        };
        waiter(job);
        QTRY_COMPARE(caught, QStringLiteral("provider down"));
        QVERIFY(job.isFinished());
    }

    void cancellationReachesTheBodysToken()
    {
        VirtualClock clock;
        bool sawStop = false;
        auto job = Job<void>::start([&](std::stop_token stop) -> QCoro::Task<void> {
            const bool slept = co_await clock.sleep(60s, stop);
            sawStop = !slept && stop.stop_requested();
        });
        job.cancel();
        QVERIFY(job.isCancelled());
        QTRY_VERIFY(job.isFinished());
        QVERIFY(sawStop);
    }
};

QTEST_GUILESS_MAIN(JobTest)
#include "tst_job.moc"
