#pragma once

#include "common/startup.h"

#include <QApplication>
#include <QString>
#include <QTest>

class QWidget;

// A window test's main(): a QApplication set up as the program sets itself up.
#define ZENTA_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        setUpApplication(app);                                                                     \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// Saves a picture of a widget as <build>/shots/<name>.png, to be looked at.
QString saveShot(QWidget *widget, const QString &name);

// Top-level widgets that are still visible (each test leaves none behind).
int visibleTopLevels();

// How many rounds a long test runs: all, or the percentage that
// ZENTA_TEST_SHARE asks for where each round costs much more (under Wine).
int rounds(int all);
