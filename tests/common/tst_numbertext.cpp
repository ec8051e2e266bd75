#include "common/numbertext.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT
private slots:
    void writes_data();
    void writes();
    void reads_data();
    void reads();
};

void TestNumberText::writes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("plain");
    QTest::newRow("zero") << 0.0 << " 0"
                          << "0";
    QTest::newRow("negative zero") << -0.0 << " 0"
                                   << "0";
    QTest::newRow("seven") << 7.0 << " 7"
                           << "7";
    QTest::newRow("minus three") << -3.0 << "-3"
                                 << "-3";
    QTest::newRow("ten") << 10.0 << " 10"
                         << "10";
    QTest::newRow("fifty") << 50.0 << " 50"
                           << "50";
    QTest::newRow("732") << 732.0 << " 732"
                         << "732";
    QTest::newRow("6/5") << 6.0 / 5 << " 1.2"
                         << "1.2";
    QTest::newRow("18/-4") << 18.0 / -4 << "-4.5"
                           << "-4.5";
    QTest::newRow("12/5") << 12.0 / 5 << " 2.4"
                          << "2.4";
    QTest::newRow("-18/5") << -18.0 / 5 << "-3.6"
                           << "-3.6";
    QTest::newRow("6/-4") << 6.0 / -4 << "-1.5"
                          << "-1.5";
    QTest::newRow("18/3 is whole") << 18.0 / 3 << " 6"
                                   << "6";
}

void TestNumberText::writes()
{
    QFETCH(double, value);
    QFETCH(QString, number);
    QFETCH(QString, plain);
    QCOMPARE(numberText(value), number);
    QCOMPARE(plainNumberText(value), plain);
}

void TestNumberText::reads_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("value");
    QTest::newRow("total") << " 17" << 17.0;
    QTest::newRow("points ten") << "10" << 10.0;
    QTest::newRow("points nine") << " 9" << 9.0;
    QTest::newRow("points zero") << " 0" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("decimal") << " 1.2" << 1.2;
    QTest::newRow("blanks then digits then text") << "   37点" << 37.0;
    QTest::newRow("initial caption") << "得点" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("full-width digits are not a number") << "１０" << 0.0;
}

void TestNumberText::reads()
{
    QFETCH(QString, caption);
    QFETCH(double, value);
    QCOMPARE(readNumber(caption), value);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
