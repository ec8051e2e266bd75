// window test
#include "common/screenreader.h"
#include "gamefixture.h"
#include "layouts/label.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QMessageBox>

namespace {

using ScreenReader::Node;

// Every node of the windows' tree, depth first.
QList<Node> nodes(const QList<Node> &kids)
{
    QList<Node> all;
    for (const Node &kid : kids)
        all << kid << nodes(kid.kids);
    return all;
}

Node node(const ScreenReader::Tree &tree, const QString &role, const QString &name)
{
    for (const Node &n : nodes(tree.windows))
        if (n.role == role && n.name == name)
            return n;
    return {};
}

QStringList names(const Node &parent)
{
    QStringList list;
    for (const Node &kid : parent.kids)
        list.append(kid.name);
    return list;
}

} // namespace

// The windows as a screen reader in the browser gets them, and what it is
// told while a game is played.
class TestScreenReader : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(visibleTopLevels(), 0); }
    void mainWindow();
    void said_data();
    void said();
};

void TestScreenReader::mainWindow()
{
    GameFixture game;
    Form1 &f = *game.form;
    game.show();
    ScreenReader::Tree tree = ScreenReader::snapshot();
    QCOMPARE(tree.windows[0].role, QStringLiteral("dialog"));
    QCOMPARE(tree.windows[0].name, QStringLiteral("ヒョウミ1（z.Aoba)"));
    QCOMPARE(names(node(tree, "menubar", QString())),
             QStringList({"ゲーム", "ｘの値", "学年", "練習", "ヘルプ"}));
    QCOMPARE(tree.focus, node(tree, "button", "スタート").id);
    QVERIFY(node(tree, "button", "ｙはｘに比例").disabled);

    // The question: a table of two rows headed ｘ and ｙ, read cell by cell.
    f.Command1_Click();
    tree = ScreenReader::snapshot();
    QVERIFY(!node(tree, "button", "ｙはｘに比例").disabled);
    const QList<Node> rows = node(tree, "table", QString()).kids;
    QCOMPARE(rows.size(), 2);
    for (int r = 0; r < 2; ++r) {
        QStringList cells = names(rows[r]);
        QCOMPARE(cells.takeFirst(), r ? QStringLiteral("ｙ") : QStringLiteral("ｘ"));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(cells[i], f.ui.mondai[5 * r + i]->text());
    }
    QCOMPARE(rows[0].kids[0].role, QStringLiteral("rowheader"));

    // An open menu is a window of its own, its marks checked or not.
    f.ui.m4->popup(f.mapToGlobal(QPoint(60, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(f.ui.m4));
    QCOMPARE(node(ScreenReader::snapshot(), "menuitemcheckbox", "－２～２").checked, true);
    f.ui.m4->hide();

    // A message box: an alert whose text is read, the windows behind it
    // out of reach; all of it as the page takes it.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("スタート"), QStringLiteral("本文\"\\"),
                    QMessageBox::Ok, &f);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    tree = ScreenReader::snapshot();
    QCOMPARE(node(tree, "alertdialog", "スタート").value, QStringLiteral("本文\"\\"));
    QVERIFY(!node(tree, "button", "OK").id.isEmpty());
    QVERIFY(node(tree, "dialog", "ヒョウミ1（z.Aoba)").inert);
    const QJsonDocument json = QJsonDocument::fromJson(tree.json());
    QStringList windows;
    for (const QJsonValue window : json["windows"].toArray())
        windows << window["role"].toString() + u' ' + window["value"].toString()
                + (window["inert"].toBool() ? "inert" : "");
    windows.sort();
    QCOMPARE(windows, QStringList({"alertdialog 本文\"\\", "dialog inert"}));
}

void TestScreenReader::said_data()
{
    QTest::addColumn<int>("rightFirst"); // questions answered right before
    QTest::addColumn<int>("how");        // 0 right, 1 wrong, 2 timed out
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("description"); // the mark's
    QTest::newRow("right") << 0 << 0 << "○ 正解 10点。第 2問"
                           << "正解";
    QTest::newRow("wrong") << 1 << 1 << "× 不正解。第 3問"
                           << "不正解";
    QTest::newRow("timed out") << 0 << 2 << "× 時間切れ。第 2問"
                               << "時間切れ";
    QTest::newRow("the last") << 4 << 0 << "○ 正解 10点。終わり。合計 50点"
                              << "正解";
}

void TestScreenReader::said()
{
    QFETCH(int, rightFirst);
    QFETCH(int, how);
    GameFixture game;
    Form1 &f = *game.form;
    game.show();
    f.Command1_Click();
    for (int q = 0; q < rightFirst; ++q)
        game.answer(true);
    if (how == 2)
        for (int t = 0; t < 11; ++t)
            f.Timer1_Timer();
    else
        game.answer(how == 0);
    QTEST(game.platform.said.value(rightFirst), "said");
    QTEST(f.ui.sikiyo[rightFirst]->accessibleDescription(), "description");
}

ZENTA_TEST_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
