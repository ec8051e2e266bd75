// window test
#include "common/twips.h"
#include "layouts/form1layout.h"
#include "layouts/formbuilder.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"
#include "testmain.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>

class TestForm1Layout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void placesInPixels_data();
    void placesInPixels();
    void lines();
    void clientArea();
    void japaneseFace();
    void focusOrder();
    void menus();
    void monbangGrowsToTheRight();
    void screenshot();

private:
    QMainWindow *window = nullptr;
    Form1Ui ui;
};

void TestForm1Layout::init()
{
    window = new QMainWindow;
    ui = Form1Ui();
    ui.setupUi(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestForm1Layout::cleanup()
{
    delete window;
    window = nullptr;
}

void TestForm1Layout::controls_data()
{
    QTest::addColumn<int>("row");
    const auto &controls = form1Spec().controls;
    for (int i = 0; i < int(controls.size()); ++i)
        QTest::newRow(qPrintable(controls[i].name)) << i;
}

void TestForm1Layout::controls()
{
    QFETCH(int, row);
    const FormSpec &form = form1Spec();
    const ControlSpec &control = form.controls[row];
    QWidget *w = window->findChild<QWidget *>(control.name);
    QVERIFY(w);
    QVERIFY(w->isVisible());

    const QWidget *parent
        = control.parent.isEmpty() ? ui.client : window->findChild<QWidget *>(control.parent);
    QCOMPARE(w->parentWidget(), parent);
    const QRect designed = twipsRect(control.left, control.top, control.width, control.height);
    if (control.autoSize) {
        QCOMPARE(w->pos(), designed.topLeft());
        QVERIFY(w->width() >= designed.width() && w->height() >= designed.height());
    } else {
        QCOMPARE(w->geometry(), designed);
    }

    const QFont font = w->font();
    QCOMPARE(font.family(), gothicFace());
    const FontSpec expected = control.font.points > 0 ? control.font : form.font;
    QCOMPARE(font.pointSizeF(), expected.points);
    QCOMPARE(font.weight(), expected.bold ? QFont::Bold : QFont::Normal);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());

    if (control.text)
        QCOMPARE(w->palette().color(QPalette::WindowText), *control.text);
    if (control.back) {
        QCOMPARE(w->palette().color(QPalette::Window), *control.back);
        QVERIFY(w->autoFillBackground());
    }
    if (auto *label = qobject_cast<Label *>(w)) {
        QCOMPARE(label->text(), control.caption);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 control.align & Qt::AlignHorizontal_Mask);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QCOMPARE(label->autoSize(), control.autoSize);
    } else if (auto *button = qobject_cast<QPushButton *>(w)) {
        // Captions the load handler rewrites are checked by the game's tests.
        QCOMPARE(button->text(), control.caption);
        QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(button->isEnabled());
    } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
        QCOMPARE(frame->title(), control.caption);
    }
}

// A few places written out in pixels, so that a wrong conversion of the
// whole table shows too.
void TestForm1Layout::placesInPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("first x cell") << "mondai(0)" << QRect(208, 24, 73, 49);
    QTest::newRow("last y cell") << "mondai(9)" << QRect(496, 88, 73, 49);
    QTest::newRow("fifth mark") << "sikiyo(4)" << QRect(32, 104, 25, 25);
    QTest::newRow("points") << "tokuten" << QRect(8, 144, 177, 161);
    QTest::newRow("widest answer, in its frame") << "kotae(4)" << QRect(80, 120, 281, 33);
    QTest::newRow("quit") << "Command5" << QRect(472, 352, 97, 41);
}

void TestForm1Layout::placesInPixels()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QCOMPARE(window->findChild<QWidget *>(name)->geometry(), pixels);
}

void TestForm1Layout::lines()
{
    for (const LineSpec &control : form1Spec().lines) {
        auto *line = window->findChild<LineWidget *>(control.name);
        QVERIFY(line);
        QCOMPARE(line->line(),
                 QLine(twips(control.x1), twips(control.y1), twips(control.x2), twips(control.y2)));
        QCOMPARE(line->color(), QColor(255, 255, 255));
        QCOMPARE(line->pixels(), 5);
        // In front of every cell it crosses.
        const QList<QObject *> siblings = ui.client->children();
        for (Label *cell : ui.mondai)
            QVERIFY(siblings.indexOf(line) > siblings.indexOf(cell));
    }
    // The white line really shows across the blue cells.
    const QImage image = ui.client->grab().toImage();
    QCOMPARE(image.pixelColor(twips(5000), twips(1200)), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(twips(3120), twips(1600)), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(twips(5000), twips(1600)), QColor(0, 0, 255));
}

void TestForm1Layout::clientArea()
{
    QCOMPARE(ui.client->size(), QSize(580, 401));
    QCOMPARE(window->windowTitle(), QStringLiteral("ヒョウミ1（z.Aoba)"));
    QCOMPARE(ui.client->palette().color(QPalette::Window), QColor(0, 128, 0));
    // Fixed: the window cannot be made larger or smaller.
    QCOMPARE(window->minimumSize(), window->maximumSize());
}

void TestForm1Layout::japaneseFace()
{
    // The face that really draws the text is a Japanese Gothic face, not a
    // fallback that lacks kana.
    const QFontInfo info(ui.Command1->font());
    QVERIFY2(QFontMetrics(ui.Command1->font()).inFont(QChar(0x30B9)), qPrintable(info.family()));
    const QStringList japanese = {"IPAPGothic",      "IPA Pゴシック", "MS PGothic",
                                  "ＭＳ Ｐゴシック", "VL PGothic",    "Noto Sans CJK JP"};
    QVERIFY2(japanese.contains(info.family()), qPrintable(info.family()));
}

void TestForm1Layout::focusOrder()
{
    const QList<QWidget *> expected
        = {ui.Command1, ui.Command3, ui.Command5, ui.tokutenyo, ui.helpyo,
           ui.kotae[0], ui.kotae[1], ui.kotae[2], ui.kotae[3],  ui.kotae[4]};
    for (int i = 0; i + 1 < expected.size(); ++i) {
        QWidget *next = expected[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, expected[i + 1]);
    }
    for (Label *label : ui.mondai)
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
}

void TestForm1Layout::menus()
{
    QStringList bar;
    for (QAction *menu : window->menuBar()->actions())
        bar << menu->text();
    QCOMPARE(bar, (QStringList{"ゲーム", "ｘの値", "ヘルプ"}));

    auto items = [](QMenu *menu) {
        QStringList list;
        for (QAction *a : menu->actions()) {
            list << (a->isSeparator() ? QStringLiteral("-") : a->text()) + ':' + a->objectName();
            if (!a->isSeparator())
                Q_ASSERT(a->isEnabled() && a->isVisible() && !a->isChecked()
                         && a->shortcut().isEmpty());
        }
        return list;
    };
    QCOMPARE(items(ui.m1), (QStringList{"スタート:m1a", "-:s1", "一覧:m1c", "-:s2", "終了:m1d"}));
    QCOMPARE(items(ui.m4),
             (QStringList{"－２～２:en(0)", "１～５:en(1)", "－５～－１:en(2)", "ランダム:en(3)"}));
    QCOMPARE(items(ui.m5), (QStringList{"説明:m5c"}));
    for (QAction *a : window->menuBar()->actions())
        QVERIFY(!a->text().contains('&'));
}

void TestForm1Layout::monbangGrowsToTheRight()
{
    const QPoint corner = ui.monbang->pos();
    const QSize designed = ui.monbang->size();
    ui.monbang->setText(QStringLiteral("第 1問"));
    QCOMPARE(ui.monbang->pos(), corner);
    QVERIFY(ui.monbang->width() >= ui.monbang->fontMetrics().horizontalAdvance(ui.monbang->text()));
    QVERIFY(ui.monbang->width() > designed.width());
}

void TestForm1Layout::screenshot()
{
    const QString path = saveShot(window, "form1-layout");
    QVERIFY(QFile::exists(path));
}

ZENTA_TEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
