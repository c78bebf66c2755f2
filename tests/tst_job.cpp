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
        // A value that a move would empty, so that no waiter may take it from the others.
        auto job = Job<QString>::start([&clock](std::stop_token) -> QCoro::Task<QString> {
            co_await clock.sleep(1s);
            co_return QStringLiteral("seven");
        });
        QVERIFY(!job.isFinished());
        QStringList seen;
        auto waiter = [&seen](Job<QString> awaited) -> QCoro::Task<> {
            const QString value = co_await awaited.value();
            seen.append(value);
        };
        waiter(job);
        waiter(job);
        QTRY_COMPARE(clock.pendingSleeps(), 1);
        clock.advance(1s);
        QVERIFY(job.isFinished());
        QCOMPARE(seen, (QStringList{QStringLiteral("seven"), QStringLiteral("seven")}));
        waiter(job); // after the end, the value is still there
        QCOMPARE(seen.last(), QStringLiteral("seven"));
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
