// window test
#include "common/twips.h"
#include "designedlayout.h"
#include "game/question.h"
#include "layouts/form1layout.h"
#include "layouts/formbuilder.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"
#include "recordingplatform.h"
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
    void rangeMenuMarksTheCurrentRangeOnly();
    void answerButtonsNameTheKinds_data();
    void answerButtonsNameTheKinds();
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

// The designed layout, written out by hand: caption, place and size in
// twips (inside Frame1 for the answers), font, colours, alignment. No
// colour: the desktop's default.
void TestForm1Layout::controls_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twipsBox");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<int>("align"); // 0: left, 1: centred; labels only
    QTest::addColumn<bool>("autoSize");

    const QColor none, white(255, 255, 255), blue(0, 0, 255);
    auto row = [](const char *name, const QString &caption, QRect box, double points, bool bold,
                  QColor text, QColor back, int align = 0, const QString &parent = QString(),
                  bool autoSize = false) {
        QTest::newRow(name) << caption << parent << box << points << bold << text << back << align
                            << autoSize;
    };
    row("Label1", "ｘ", {2280, 120, 855, 975}, 48, true, white, blue, 1);
    row("Label2", "ｙ", {2280, 1080, 855, 975}, 48, true, white, blue, 1);
    row("Label3", "", {3120, 120, 5415, 255}, 13.5, false, white, blue);
    row("Label4", "", {3120, 1080, 5415, 255}, 13.5, false, white, blue);
    const int cellLeft[5] = {3120, 4200, 5280, 6360, 7440};
    for (int i = 0; i < 10; ++i)
        row(qPrintable(QStringLiteral("mondai(%1)").arg(i)), "",
            {cellLeft[i % 5], i < 5 ? 360 : 1320, 1095, 735}, 27.75, true, white, blue, 1);
    const int listTop[5] = {120, 480, 840, 1200, 1560};
    for (int i = 0; i < 5; ++i) {
        row(qPrintable(QStringLiteral("bango(%1)").arg(i)), QString::number(i + 1),
            {120, listTop[i], 255, 375}, 20.25, true, white, QColor(0, 0, 128));
        row(qPrintable(QStringLiteral("sikiyo(%1)").arg(i)), "", {480, listTop[i], 375, 375}, 15.75,
            true, none, QColor(255, 255, 0));
    }
    row("monbang", "番  号", {960, 120, 1215, 435}, 21.75, true, blue, QColor(255, 0, 0), 0, "",
        true);
    row("tokuten", "点", {120, 2160, 2655, 2415}, 120, true, QColor(0, 255, 0), QColor(0, 64, 0));
    row("tokutenyo", "得点", {120, 4680, 2655, 1215}, 48, false, none, none);
    row("Frame1", "ｘとｙの関係は？", {2880, 2160, 5655, 2415}, 20.25, true, QColor(0, 0, 192),
        QColor(255, 128, 0));
    row("kotae(0)", "ｙはｘに比例", {360, 600, 2415, 495}, 13.5, false, none, none, 0, "Frame1");
    row("kotae(1)", "ｙはｘに反比例", {3000, 600, 2415, 495}, 13.5, false, none, none, 0, "Frame1");
    row("kotae(2)", "ｙはｘの一次関数", {360, 1200, 2415, 495}, 13.5, false, none, none, 0,
        "Frame1");
    row("kotae(3)", "ｙはｘの２乗に比例", {3000, 1200, 2415, 495}, 13.5, false, none, none, 0,
        "Frame1");
    row("kotae(4)", "上の４つには，あてはまらない関係", {1200, 1800, 4215, 495}, 13.5, false, none,
        none, 0, "Frame1");
    row("Command1", "スタート", {2880, 4680, 2055, 855}, 21.75, true, none, none);
    row("Command3", "ｘの値の表示・変更", {5160, 4680, 2175, 495}, 12, false, none, none);
    row("helpyo", "説明", {7560, 4680, 975, 495}, 13.5, false, none, none);
    row("Command5", "終了", {7080, 5280, 1455, 615}, 18, true, none, none);
}

void TestForm1Layout::controls()
{
    QFETCH(QString, caption);
    QFETCH(QString, parent);
    QFETCH(QRect, twipsBox);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, text);
    QFETCH(QColor, back);
    QFETCH(int, align);
    QFETCH(bool, autoSize);
    const QList<QWidget *> found = window->findChildren<QWidget *>(QTest::currentDataTag());
    QCOMPARE(found.size(), 1);
    QWidget *w = found[0];
    QCOMPARE(w->parentWidget(),
             parent.isEmpty() ? ui.client : window->findChild<QWidget *>(parent));
    checkDesignedControl(w, twipsBox, points, bold, text, back, autoSize);
    if (QTest::currentTestFailed())
        return;
    if (back.isValid())
        QVERIFY(w->autoFillBackground());

    if (auto *label = qobject_cast<Label *>(w)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 align == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QCOMPARE(label->autoSize(), autoSize);
    } else if (auto *button = qobject_cast<QPushButton *>(w)) {
        QCOMPARE(button->text(), caption);
        QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(button->isEnabled());
    } else {
        auto *frame = qobject_cast<QGroupBox *>(w);
        QVERIFY(frame);
        QCOMPARE(frame->title(), caption);
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
    // From (x1, y1) to (x2, y2) in twips, white, 5 pixels wide.
    const QList<QPair<QString, QLine>> designed{{"Line1", QLine(2280, 1200, 8520, 1200)},
                                                {"Line2", QLine(3120, 120, 3120, 2040)}};
    for (const auto &[name, twipsLine] : designed) {
        auto *line = window->findChild<LineWidget *>(name);
        QVERIFY(line);
        QCOMPARE(line->line(), QLine(twipsLine.p1() / 15, twipsLine.p2() / 15));
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
    // The controls of the table in controls_data(), and no other.
    QCOMPARE(ui.client->findChildren<Label *>().size(), 26);
    QCOMPARE(ui.client->findChildren<QPushButton *>().size(), 10);
    QCOMPARE(ui.client->findChildren<QGroupBox *>().size(), 1);
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
    QCOMPARE(bar, (QStringList{"ゲーム", "ｘの値", "学年", "ヘルプ"}));

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
    QCOMPARE(items(ui.m1),
             (QStringList{"スタート:m1a", "-:s1", "一覧:m1c", "振り返り:m1e", "-:s2", "終了:m1d"}));
    QCOMPARE(items(ui.m4),
             (QStringList{"－２～２:en(0)", "１～５:en(1)", "－５～－１:en(2)", "ランダム:en(3)"}));
    QCOMPARE(items(ui.m5), (QStringList{"説明:m5c"}));
    QCOMPARE(
        items(ui.m7),
        (QStringList{"中１：比例と反比例:gakunen(0)", "中２：比例，反比例，一次関数:gakunen(1)",
                     "中３：４つの関係すべて:gakunen(2)"}));
    for (QAction *a : window->menuBar()->actions())
        QVERIFY(!a->text().contains('&'));
}

// The open range menu, as the player sees it: a mark beside the current
// range, nothing beside the others, and the captions in one column.
void TestForm1Layout::rangeMenuMarksTheCurrentRangeOnly()
{
    auto openMenu = [this](int current) {
        for (int i = 0; i < 4; ++i)
            ui.en[i]->setChecked(i == current);
        ui.m4->popup(window->mapToGlobal(QPoint(window->width(), 0)));
        [&] { QVERIFY(QTest::qWaitForWindowExposed(ui.m4)); }();
        const QImage image = ui.m4->grab().toImage();
        if (current == 1)
            saveShot(ui.m4, "form1-range-menu");
        ui.m4->hide();
        return image;
    };
    const QImage images[2] = {openMenu(1), openMenu(3)};
    const int current[2] = {1, 3};

    // Pixels of a rectangle that are dark, and that differ from `plain`.
    auto count = [](const QImage &image, const QRect &rect, QColor plain) {
        QPair<int, int> darkAndOther;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                darkAndOther.first += image.pixelColor(x, y).lightness() < 128;
                darkAndOther.second += image.pixelColor(x, y) != plain;
            }
        return darkAndOther;
    };
    for (int i = 0; i < 4; ++i) {
        const QRect item = ui.m4->actionGeometry(ui.en[i]);
        // The caption begins at the first dark column of the item where it
        // is not checked; the mark's place is to the left of it.
        const QImage &unchecked = images[i == current[0] ? 1 : 0];
        int captionLeft = item.right();
        for (int x = item.left(); x < captionLeft; ++x)
            for (int y = item.top(); y <= item.bottom(); ++y)
                if (unchecked.pixelColor(x, y).lightness() < 128)
                    captionLeft = qMin(captionLeft, x);
        const QRect mark(item.left() + 1, item.top() + 1, captionLeft - item.left() - 3,
                         item.height() - 2);
        const QRect caption(captionLeft - 1, item.top(), item.right() - captionLeft, item.height());
        QVERIFY(mark.width() >= item.height() / 2);
        for (int shot = 0; shot < 2; ++shot) {
            const QImage &image = images[shot];
            const QColor plain = image.pixelColor(item.right() - 1, item.center().y());
            const auto [dark, other] = count(image, mark, plain);
            if (i == current[shot])
                QVERIFY2(dark > 5, qPrintable(QString::number(dark)));
            else
                QCOMPARE(other, 0);
        }
        // The caption stays where it is, mark or no mark.
        QCOMPARE(images[0].copy(caption), images[1].copy(caption));
    }
}

// Each answer button's caption names the relation kind whose index is the
// button's: a question drawn as kind i shows a table of that relation.
void TestForm1Layout::answerButtonsNameTheKinds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<double>>("draws"); // range 0: x is -2, -1, 0, 1, 2
    QTest::addColumn<QStringList>("y");
    auto w = [](int k, int n) { return (k + 0.5) / n; };
    QTest::newRow("ｙはｘに比例") << 0 << QList<double>{w(0, 5), w(7, 9)}
                                  << QStringList{"-6", "-3", " 0", " 3", " 6"}; // 3x
    QTest::newRow("ｙはｘに反比例") << 1 << QList<double>{w(1, 5), w(0, 3), 0.75}
                                    << QStringList{"-3", "-6", " ×", " 6", " 3"}; // 6/x
    QTest::newRow("ｙはｘの一次関数") << 2 << QList<double>{w(2, 5), w(2, 9), w(7, 9)}
                                      << QStringList{" 7", " 5", " 3", " 1", "-1"}; // -2x+3
    QTest::newRow("ｙはｘの２乗に比例") << 3 << QList<double>{w(3, 5), w(5, 7)}
                                        << QStringList{" 8", " 2", " 0", " 2", " 8"}; // 2x^2
    QTest::newRow("上の４つには，あてはまらない関係")
        << 4 << QList<double>{w(4, 5), w(5, 9), w(2, 9), w(4, 9)}
        << QStringList{" 8", " 3", " 0", "-1", " 0"}; // x^2-2x
}

void TestForm1Layout::answerButtonsNameTheKinds()
{
    QFETCH(int, index);
    QFETCH(QList<double>, draws);
    QFETCH(QStringList, y);
    QCOMPARE(ui.kotae[index]->text(), QString::fromUtf8(QTest::currentDataTag()));
    ScriptedRandom random;
    for (double r : draws)
        random.push(r);
    const Question q = makeQuestion(random, 0, initialXTable(), {});
    QCOMPARE(int(q.seikai), index);
    QCOMPARE(QStringList(q.cells.begin() + 5, q.cells.end()), y);
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
