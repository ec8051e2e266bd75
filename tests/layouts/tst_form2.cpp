// window test
// The help window on its own, with a plain widget standing in for the main
// window.
#include "common/twips.h"
#include "layouts/form2.h"
#include "layouts/formbuilder.h"
#include "layouts/label.h"
#include "testmain.h"

#include <QPointer>
#include <QPushButton>
#include <QWindow>

namespace {

// A control as the player sees it: where it is, what it says, how.
struct Shown
{
    QString name;
    QRect geometry;
    QString text;
    QFont font;
    bool operator==(const Shown &) const = default;
};

QList<Shown> shown(QWidget *window)
{
    QList<Shown> list;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        if (auto *label = qobject_cast<QLabel *>(w))
            text = label->text();
        else if (auto *button = qobject_cast<QPushButton *>(w))
            text = button->text();
        list.append({w->objectName(), w->geometry(), text, w->font()});
    }
    return list;
}

// The rectangle of the pixels that differ from the background, in a picture
// of the label made so large that nothing of its text can be cut off. A
// wrapped label keeps its width, where it wraps.
QRect inkOf(Label *label)
{
    const QSize designed = label->size();
    label->resize(label->wordWrap() ? designed.width() : designed.width() * 3,
                  designed.height() * 3);
    const QImage image = label->grab().toImage();
    label->resize(designed);
    const QRgb back = label->palette().color(QPalette::Window).rgb();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != back)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

    QWidget *m_main = nullptr;
    QPointer<Form2> m_form;

    // Opens the help window as the main window does.
    Form2 *open()
    {
        m_form = new Form2(m_main);
        m_form->show();
        m_form->raise();
        m_form->activateWindow();
        return m_form;
    }

private slots:
    void init()
    {
        m_main = new QWidget;
        m_main->resize(200, 100);
    }

    void cleanup()
    {
        delete m_form;
        delete m_main;
        QCOMPARE(visibleTopLevels(), 0);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Label2") << QStringLiteral(
            "\u3000 中学校３年間の「関数関係」を  対応表から見つけるゲーム感覚の学習ソフトです。");
        QTest::newRow("Label3") << QStringLiteral(
            "\u3000 「スタート」ボタンをクリックすると，対応表が表示されます。  "
            "そこで，ｘとｙの関係を見つけ，下のあてはまる関数関係をクリックします。   "
            "正解かどうかは，上のリストに○×で表示されます。５問解いたら終わりです。");
        QTest::newRow("Label4") << QStringLiteral(
            "\u3000 "
            "問題が表示されたら，１０→９→８・・・と点数が下がっていきます。速く正解すると得点は高い"
            "です。５問解いたあと，得点の一覧表が表示されます。Ｂｅｓｔ５に入ると，名前が登録できま"
            "す。その後，「スタート」ボタンをクリックすると再開されます。");
        QTest::newRow("Label6") << QStringLiteral(
            "  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。");
    }

    void texts()
    {
        QFETCH(QString, text);
        Form2 form(m_main);
        QCOMPARE(control<Label>(&form, QTest::currentDataTag())->text(), text);
    }

    void controls_data()
    {
        // Places in twips, fonts in points; no text colour: the desktop's;
        // no width: sized to the text.
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twipsBox");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        const QColor green(0, 255, 0);
        QTest::newRow("Label2") << QString() << QRect(360, 240, 5550, 1095) << 18.0 << true
                                << QColor(255, 0, 0) << QColor(0, 255, 255);
        QTest::newRow("Label3") << QString() << QRect(360, 1560, 5535, 1455) << 14.25 << false
                                << QColor(0, 0, 0) << green;
        QTest::newRow("Label4") << QString() << QRect(360, 3240, 5535, 1815) << 14.25 << false
                                << QColor(0, 0, 0) << green;
        QTest::newRow("Label6") << QString() << QRect(360, 5280, 5535, 615) << 14.25 << false
                                << QColor() << green;
        QTest::newRow("Command1") << QStringLiteral("戻る") << QRect(4680, 6000, 1095, 540) << 12.0
                                  << false << QColor() << QColor();
        QTest::newRow("Label5") << QString() << QRect(1080, 6120, 0, 285) << 14.25 << true
                                << QColor(255, 255, 255) << QColor(255, 0, 255);
    }

    void controls()
    {
        QFETCH(QString, caption);
        QFETCH(QRect, twipsBox);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        Form2 *form = open();
        QWidget *w = control<QWidget>(form, QTest::currentDataTag());

        const QRect box
            = twipsRect(twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height());
        if (box.width() > 0)
            QCOMPARE(w->geometry(), box);
        QCOMPARE(w->pos(), box.topLeft());
        QVERIFY(w->height() >= box.height());
        QCOMPARE(w->font().family(), gothicFace());
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        QVERIFY(!w->font().italic() && !w->font().underline() && !w->font().strikeOut());
        if (auto *button = qobject_cast<QPushButton *>(w))
            QCOMPARE(button->text(), caption);
        if (auto *label = qobject_cast<QLabel *>(w)) // every text from its label's left
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        const QColor defaultText = QApplication::palette(w).color(QPalette::WindowText);
        QCOMPARE(w->palette().color(QPalette::WindowText), text.isValid() ? text : defaultText);
        if (back.isValid()) {
            QVERIFY(w->autoFillBackground());
            QCOMPARE(w->palette().color(QPalette::Window), back);
        }
    }

    void window()
    {
        Form2 *form = open();
        QVERIFY(!form->parent());
        QCOMPARE(form->windowTitle(), QStringLiteral("ヒョウミ1(z.Aoba)"));
        QCOMPARE(form->size(), QSize(twips(6090), twips(6645)));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->palette().color(QPalette::Window), QColor(0, 0, 255));
        QVERIFY(!form->windowIcon().isNull());
        QVERIFY(QTest::qWaitForWindowExposed(form));
        saveShot(form, "form2");
    }

    // The credit line is as wide as its text, and clear of the back button.
    void creditLine()
    {
        Form2 *form = open();
        Label *credit = form->ui.Label5;
        QVERIFY(!credit->text().trimmed().isEmpty());
        QCOMPARE(credit->width(), credit->fontMetrics().horizontalAdvance(credit->text()));
        QVERIFY(credit->geometry().right() < form->ui.Command1->x());
        QVERIFY(form->rect().contains(credit->geometry()));
    }

    // Each text is wrapped at its label's width onto as many lines as it
    // needs, and all of them show in full inside the label.
    void textFitsItsLabel_data()
    {
        QTest::addColumn<bool>("wraps");
        QTest::newRow("Label2") << true;
        QTest::newRow("Label3") << true;
        QTest::newRow("Label4") << true;
        QTest::newRow("Label6") << true;
        QTest::newRow("Label5") << false;
    }

    void textFitsItsLabel()
    {
        QFETCH(bool, wraps);
        Form2 *form = open();
        Label *label = control<Label>(form, QTest::currentDataTag());
        const QRect ink = inkOf(label);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(label->rect().contains(ink),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside %5x%6")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(label->width())
                                .arg(label->height())));
        const int lines = ink.bottom() / label->linePitch() + 1;
        QCOMPARE(lines > 1, wraps);
        if (wraps) {
            // No word stands out to the right of the label.
            const QRect text = label->fontMetrics().boundingRect(
                label->rect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
            QVERIFY(text.width() <= label->width());
        }
    }

    void backShowsMainWindowAndHidesHelp_data()
    {
        QTest::addColumn<bool>("mainShown");
        QTest::newRow("main window behind") << true;
        QTest::newRow("main window hidden") << false;
    }

    void backShowsMainWindowAndHidesHelp()
    {
        QFETCH(bool, mainShown);
        if (mainShown) {
            m_main->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_main));
        }
        Form2 *form = open();
        QVERIFY(QTest::qWaitForWindowActive(form));

        QTest::mouseClick(form->ui.Command1, Qt::LeftButton);
        QVERIFY(m_main->isVisible());
        QVERIFY(!form->isVisible());
        QTRY_VERIFY(m_main->isActiveWindow());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_form); // hidden, not destroyed

        // Shown again, it is the same window with the same content.
        const QList<Shown> before = shown(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(shown(form), before);
    }

    void backButtonIsTheOnlyFocus()
    {
        Form2 *form = open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), form->ui.Command1);
        for (QWidget *w : form->findChildren<QWidget *>())
            if (w != form->ui.Command1)
                QVERIFY2(w->focusPolicy() == Qt::NoFocus, qPrintable(w->objectName()));
        QTest::keyClick(form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->ui.Command1);
    }

    void escapeDoesNotClose()
    {
        Form2 *form = open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form->ui.Command1, Qt::Key_Escape);
        QTest::keyClick(form, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_form);
        QVERIFY(form->isVisible());
    }

    void closingThroughTheFrameDestroys()
    {
        Form2 *form = open();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QList<Shown> first = shown(form);

        QVERIFY(form->windowHandle()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_form);
        QVERIFY(!m_main->isVisible()); // the back button's work is not done here

        // A new window has the same texts and layout.
        form = open();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(shown(form), first);
    }
};

ZENTA_TEST_MAIN(TestForm2)
#include "tst_form2.moc"
