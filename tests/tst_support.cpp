#include "Support/Async.h"
#include "Support/CancellationError.h"
#include "Support/CheckedConversion.h"
#include "Support/Clock.h"
#include "Support/EpochSeconds.h"
#include "Support/Prefs.h"
#include "Support/SerialExecutor.h"
#include "Support/UserFacingError.h"
#include "Support/UserSettings.h"
#include "support/VirtualClock.h"

#include <QCoroTask>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class TypedFailure final : public UserFacingError
{
public:
    using UserFacingError::UserFacingError;
};

// Runs a coroutine to completion from a test, turning the event loop while it is suspended.
// The coroutines handed in catch their own errors: an escaping one would never end the wait.
template<typename T>
T runToCompletion(QCoro::Task<T> task)
{
    return QCoro::waitFor(std::move(task));
}

} // namespace

class SupportTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void executorRunsCallsInOrderOnOneOtherThread()
    {
        SerialExecutor executor;
        QList<int> order;
        QSet<QThread *> threads;
        QList<QFuture<void>> futures;
        for (int index = 0; index < 20; ++index) {
            futures.append(executor.run([&order, &threads, index] {
                order.append(index);
                threads.insert(QThread::currentThread());
            }));
        }
        for (auto &future : futures)
            future.waitForFinished();
        QCOMPARE(order.size(), 20);
        for (int index = 0; index < 20; ++index)
            QCOMPARE(order.at(index), index);
        QCOMPARE(threads.size(), 1);
        QVERIFY(!threads.contains(QThread::currentThread()));
    }

    void awaitingAWorkerRethrowsItsOriginalError()
    {
        SerialExecutor executor;
        const int value = runToCompletion(Async::onExecutor(executor, [] { return 42; }));
        QCOMPARE(value, 42);

        auto failing = [&executor]() -> QCoro::Task<QString> {
            try {
                co_await Async::onExecutor(executor, []() -> int { throw TypedFailure(u"The disk is full."_s); });
            } catch (const TypedFailure &failure) {
                co_return failure.description();
            }
            co_return QString();
        };
        QCOMPARE(runToCompletion(failing()), u"The disk is full."_s);

        auto cancelled = []() -> QCoro::Task<bool> {
            try {
                co_await Async::detached([] {
                    std::stop_source source;
                    source.request_stop();
                    CancellationError::throwIfRequested(source.get_token());
                });
            } catch (const CancellationError &) {
                co_return true;
            }
            co_return false;
        };
        QVERIFY(runToCompletion(cancelled()));
    }

    void systemSleepEndsEarlyWhenItsTokenStops()
    {
        SystemClock clock;
        std::stop_source source;
        // On the first turn of the event loop, with the sleep under way.
        QTimer::singleShot(0, [&source] { source.request_stop(); });
        QVERIFY(!runToCompletion(clock.sleep(10s, source.get_token())));
        QVERIFY(runToCompletion(clock.sleep(10ms)));
    }

    void virtualSleepsWakeInDeadlineOrderOnlyWhenTimeAdvances()
    {
        VirtualClock clock;
        QStringList woken;
        auto sleeper = [&clock, &woken](QString name, std::chrono::milliseconds delay) -> QCoro::Task<> {
            if (co_await clock.sleep(delay))
                woken.append(name);
        };
        sleeper(u"late"_s, 3s);
        sleeper(u"early"_s, 1s);
        QCOMPARE(clock.pendingSleeps(), 2);
        clock.advance(999ms);
        QVERIFY(woken.isEmpty());
        clock.advance(1ms);
        QCOMPARE(woken, QStringList{u"early"_s});
        clock.advance(5s);
        QCOMPARE(woken, (QStringList{u"early"_s, u"late"_s}));
        QCOMPARE(clock.monotonicMs(), 6000);

        // A chain of sleeps begun by woken code is honoured within one advance.
        int ticks = 0;
        std::stop_source stop;
        auto ticker = [&clock, &ticks, token = stop.get_token()]() -> QCoro::Task<> {
            while (co_await clock.sleep(1s, token))
                ++ticks;
        };
        ticker();
        clock.advance(10s);
        QCOMPARE(ticks, 10);
        stop.request_stop();
        QTRY_COMPARE(clock.pendingSleeps(), 0);
    }

    void virtualSleepCancelledByItsToken()
    {
        VirtualClock clock;
        std::stop_source source;
        std::optional<bool> outcome;
        auto sleeper = [&]() -> QCoro::Task<> { outcome = co_await clock.sleep(60s, source.get_token()); };
        sleeper();
        source.request_stop();
        QTRY_VERIFY(outcome.has_value());
        QCOMPARE(*outcome, false);
    }

    void epochSecondsText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("present day, whole") << 1'700'000'000.0 << u"1700000000.0"_s;
        QTest::newRow("present day, half") << 1'765'432'100.5 << u"1765432100.5"_s;
        QTest::newRow("millisecond") << 1'765'432'100.001 << u"1765432100.001"_s;
        QTest::newRow("small") << 3600.5 << u"3600.5"_s;
        QTest::newRow("origin") << 0.0 << u"0.0"_s;
        QTest::newRow("before 1970, whole") << -86'400.0 << u"-86400.0"_s;
        QTest::newRow("before 1970, half") << -3600.5 << u"-3600.5"_s;
    }

    void epochSecondsText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(::epochSecondsText(seconds), text);
    }

    // The edges of 64 bits and of the calendar, where an unchecked conversion is undefined.
    void damagedNumbersConvertToNothing()
    {
        QCOMPARE(exactInteger(-9'223'372'036'854'775'808.0), std::optional(std::numeric_limits<qint64>::min()));
        QCOMPARE(exactInteger(9'223'372'036'854'775'808.0), std::nullopt);
        QCOMPARE(exactInteger(std::nan("")), std::nullopt);
        QCOMPARE(exactInteger(2.5), std::nullopt);
        QCOMPARE(momentFromEpochSeconds(1'765'432'100.5), std::optional(QDateTime::fromMSecsSinceEpoch(1'765'432'100'500, Qt::UTC)));
        QCOMPARE(momentFromEpochSeconds(-1e300), std::nullopt);
        QCOMPARE(momentFromEpochSeconds(std::numeric_limits<double>::infinity()), std::nullopt);
    }

    void settingsKeepValueTypes()
    {
        const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
        UserSettings::setValue(u"quillmere.test.bool"_s, false);
        UserSettings::setValue(u"quillmere.test.int"_s, 1500);
        UserSettings::setValue(u"quillmere.test.real"_s, 0.8);
        UserSettings::setValue(u"quillmere.test.text"_s, u"true"_s);
        UserSettings::setValue(u"quillmere.test.date"_s, stamp);
        UserSettings::setValue(u"quillmere.test.data"_s, QByteArray("{\"a\":1}"));

        QCOMPARE(UserSettings::value(u"quillmere.test.bool"_s).typeId(), QMetaType::Bool);
        QCOMPARE(UserSettings::value(u"quillmere.test.int"_s).typeId(), QMetaType::Int);
        QCOMPARE(UserSettings::value(u"quillmere.test.int"_s).toLongLong(), 1500);
        QCOMPARE(UserSettings::value(u"quillmere.test.real"_s).typeId(), QMetaType::Double);
        QCOMPARE(UserSettings::value(u"quillmere.test.text"_s).typeId(), QMetaType::QString);
        QCOMPARE(UserSettings::value(u"quillmere.test.date"_s).toDateTime(), stamp);
        QCOMPARE(UserSettings::value(u"quillmere.test.data"_s).toByteArray(), QByteArray("{\"a\":1}"));

        // Typed readers give the default for a missing key or a value of another type.
        QCOMPARE(Prefs::read(Pref<bool>{u"quillmere.test.bool", true}), false);
        QCOMPARE(Prefs::read(Pref<bool>{u"quillmere.test.text", false}), false);
        QCOMPARE(Prefs::read(Pref<bool>{u"quillmere.test.missing", true}), true);
        QCOMPARE(Prefs::read(Pref<int>{u"quillmere.test.int", 4}), 1500);
        QCOMPARE(Prefs::read(Pref<int>{u"quillmere.test.real", 4}), 4);
        QCOMPARE(Prefs::read(Pref<int>{u"quillmere.test.text", 4}), 4);
        QCOMPARE(Prefs::read(Pref<int>{u"quillmere.test.bool", 4}), 4);
        QCOMPARE(Prefs::read(Pref<int>{u"quillmere.test.missing", 1500}), 1500);

        UserSettings::remove(u"quillmere.test.bool"_s);
        QVERIFY(!UserSettings::value(u"quillmere.test.bool"_s).isValid());
        QVERIFY(!UserSettings::value(u"quillmere.test.never"_s).isValid());
    }
};

QTEST_GUILESS_MAIN(SupportTest)
#include "tst_support.moc"
