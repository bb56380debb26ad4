#ifndef KELVOTESTMAIN_H
#define KELVOTESTMAIN_H

#include "tests/support/isolatedenvironment.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, but the test runs in an isolated environment (see isolateTestEnvironment).
#define KELVO_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        isolateTestEnvironment();                                                                  \
        QApplication application(argc, argv);                                                      \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif
