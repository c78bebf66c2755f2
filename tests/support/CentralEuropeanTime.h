#pragma once

#include <QCoreApplication>
#include <QTest>

#include <ctime>

// The main function of a test whose "local" times need exact expected values: the process runs
// in Central European time (+01:00, +02:00 in summer), whatever the machine's zone.
#define QUILLMERE_TEST_MAIN_IN_CENTRAL_EUROPEAN_TIME(TestClass)                                                        \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");                                                                   \
        tzset();                                                                                                       \
        QCoreApplication app(argc, argv);                                                                              \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
