// window test
#include "common/platform.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>

// The real message boxes of the desktop platform, as the player sees them.
class TestMessageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void looksRight_data();
    void looksRight();

private:
    struct Seen
    {
        QString title, text;
        QStringList buttons;
        QString defaultButton;
    };
    // Shows a box through the desktop platform; a timer reads it and presses
    // its default (or first) button.
    static Seen show(const QString &text, const QString &title, QMessageBox::Icon icon,
                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def,
                     const QString &shot);
};

TestMessageBoxes::Seen TestMessageBoxes::show(const QString &text, const QString &title,
                                              QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton def, const QString &shot)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton *b : box->buttons())
            seen.buttons << b->text();
        seen.buttons.sort();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        saveShot(box, shot);
        box->done(QMessageBox::Cancel);
    });
    DesktopPlatform platform;
    platform.messageBox(nullptr, text, title, icon, buttons, def);
    return seen;
}

void TestMessageBoxes::looksRight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("question");
    QTest::addColumn<QString>("shown");
    QTest::newRow("greeting") << "「スタート」ボタンをクリックすると，始まります。"
                              << "スタート" << false
                              << "「スタート」ボタンをクリックすると，始まります。";
    QTest::newRow("restart") << "再スタートは，\r「スタート」ボタンをクリック!!"
                             << "再スタート" << false
                             << "再スタートは，\n「スタート」ボタンをクリック!!";
    QTest::newRow("range")
        << "ｘの値を １～５ の範囲にします。\r「スタート」ボタンをクリックしてください。"
        << "ｘの値の変更" << false
        << "ｘの値を １～５ の範囲にします。\n「スタート」ボタンをクリックしてください。";
    QTest::newRow("confirmation") << "成績一覧の名前と時間を消去しますか？"
                                  << "確認" << true << "成績一覧の名前と時間を消去しますか？";
}

void TestMessageBoxes::looksRight()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, question);
    QFETCH(QString, shown);
    const Seen seen = question
        ? show(text, title, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel, QTest::currentDataTag())
        : show(text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok,
               QTest::currentDataTag());
    QCOMPARE(seen.title, title);
    // A lone carriage return breaks the line on screen.
    QCOMPARE(seen.text, shown);
    // Qt's Japanese texts name the standard buttons.
    if (question) {
        QCOMPARE(seen.buttons, (QStringList{"OK", "キャンセル"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("キャンセル"));
    } else {
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }
}

ZENTA_TEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
