// The time budget's return path: work done in time is complete when Run returns, and what it
// throws reaches the caller. The overrun (the process ends) is checked from outside, by
// tests/tools/render.sh.
#include "app/TTimeBudget.h"

#include <QtTest>

#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;

class TestTimeBudget : public QObject
{
    Q_OBJECT

  private slots:
    void WorkInTimeIsCompleteOnReturn();
    void ErrorOfTheWorkReachesTheCaller();
};

void TestTimeBudget::WorkInTimeIsCompleteOnReturn()
{
    int Steps = 0;
    bool Reported = false;
    TTimeBudget(5s).Run(
        [&]
        {
            std::this_thread::sleep_for(20ms);
            Steps = 3;
        },
        [&] { Reported = true; });
    QCOMPARE(Steps, 3);
    QVERIFY(!Reported);
}

void TestTimeBudget::ErrorOfTheWorkReachesTheCaller()
{
    bool Reported = false;
    try
    {
        TTimeBudget(5s).Run([] { throw std::runtime_error("drawing failed"); }, [&] { Reported = true; });
        QFAIL("the work's error was swallowed");
    }
    catch (const std::runtime_error& Error)
    {
        QCOMPARE(QString::fromLatin1(Error.what()), QStringLiteral("drawing failed"));
    }
    QVERIFY(!Reported);
}

QTEST_MAIN(TestTimeBudget)
#include "tst_timebudget.moc"
