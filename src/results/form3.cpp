#include "results/form3.h"

#include "common/captions.h"
#include "common/grade.h"
#include "common/numbertext.h"
#include "common/platform.h"
#include "layouts/label.h"
#include "results/module1.h"

#include <QCloseEvent>
#include <QKeyEvent>

Form3::Form3(Module1 &module, Platform &platform, const RankingLocation &ranking, QWidget *parent)
    : QDialog(parent), table(module), m_module(module), m_platform(platform), m_ranking(ranking)
{
    ui.setupUi(this);

    connect(ui.Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(ui.Text1, &QLineEdit::textChanged, this, &Form3::Text1_Change);
    ui.Text1->installEventFilter(this);

    Form_Load();
}

void Form3::Form_Load()
{
    yomikomi();
    jyunikime();

    ui.Label6->setText(numberText(table.ichi % 5 + 1)
                       + QStringLiteral("番です。名前を入力して下さい。"));
    const int hani = m_module.hani;
    Q_ASSERT(hani >= 0 && hani < rangeCount);
    ui.enz0->setText(rangeCaptions()[hani]);
    // Which grade's Best 5 this is, where it is not 中３'s.
    const int range = RankingTable::fileRange(m_module.gakunen, hani);
    ui.gakunen->setText(gradeCaption(m_module.gakunen));
    ui.gakunen->setVisible(range >= RankingTable::rangesPerGrade);

    // The rows below the first are copies of it, rowPitch pixels apart.
    auto addRow = [](auto &array, const char *name, int index) {
        Label *element = copyElement(array[0], QString::fromLatin1(name), index);
        element->move(array[0]->x(), array[0]->y() + rowPitch * index);
        element->show();
        array[index] = element;
    };
    ui.jyun[0]->setText(numberText(1));
    for (int i = 1; i < 5; ++i) {
        addRow(ui.jyun, "jyun", i);
        ui.jyun[i]->setText(numberText(i + 1));
    }
    const int base = range * RankingTable::rangeSize;
    ui.namae[0]->setText(table.namaehyo[base]);
    ui.jikan[0]->setText(plainNumberText(table.jikanhyo[base]));
    for (int i = 1; i < 5; ++i) {
        addRow(ui.namae, "namae", i);
        addRow(ui.jikan, "jikan", i);
        ui.namae[i]->setText(table.namaehyo[base + i]);
        ui.jikan[i]->setText(plainNumberText(table.jikanhyo[base + i]));
    }
    // jyun1(0) keeps its "1" from the layout.
    ui.jikan1[0]->setText(plainNumberText(m_module.jikokiroku[range][0]));
    for (int i = 1; i < 3; ++i) {
        addRow(ui.jyun1, "jyun1", i);
        addRow(ui.jikan1, "jikan1", i);
        ui.jyun1[i]->setText(numberText(i + 1));
        ui.jikan1[i]->setText(plainNumberText(m_module.jikokiroku[range][i]));
    }

    // The focus starts in the first of Text1, Command1, Command2 that is
    // shown.
    if (ui.Text1->isVisibleTo(this))
        ui.Text1->setFocus();
    else
        ui.Command1->setFocus();
}

void Form3::yomikomi()
{
    table.yomikomi(m_ranking);
}

void Form3::jyunikime()
{
    ui.jikan9->setText(numberText(m_module.kekka));
    const bool nameEntry = table.jyunikime();
    ui.Label6->setVisible(nameEntry);
    ui.Text1->setVisible(nameEntry);
}

void Form3::Command1_Click()
{
    if (!table.save(ui.Text1->text())) {
        // Nothing typed is lost: the window stays with the name box as it
        // was, and 戻る or Enter tries again.
        reportNotStored();
        if (m_dismissed)
            return;
        if (ui.Text1->isVisible())
            ui.Text1->setFocus();
        return;
    }
    if (table.storedName())
        emit nameStored(*table.storedName());
    close();
}

void Form3::Command2_Click()
{
    const QMessageBox::StandardButton answer
        = ask(QStringLiteral("成績一覧の名前と時間を消去しますか？"), QStringLiteral("確認"),
              QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Ok && !m_dismissed && !table.clearRanges())
        reportNotStored();
    close();
}

void Form3::Text1_Change()
{
    // The new row shows whatever is typed, without a limit; the file keeps
    // what fits in its record.
    if (table.pending())
        ui.namae[table.ichi % 5]->setText(ui.Text1->text());
}

void Form3::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        Command1_Click();
}

void Form3::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A held key saves once: its repeats are not new presses.
            if (!key->isAutoRepeat())
                Text1_KeyPress(13);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Form3::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted())
        release();
}

void Form3::dismiss()
{
    m_dismissed = true;
    for (QMessageBox *box : findChildren<QMessageBox *>(Qt::FindDirectChildrenOnly))
        box->done(QMessageBox::Cancel);
    close();
}

QMessageBox::StandardButton Form3::ask(const QString &text, const QString &title,
                                       QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    // A box runs an event loop of its own, inside which the window may be
    // closed (the end of a game closes it); it is deleted only after the
    // box has returned.
    ++m_boxesOpen;
    const QMessageBox::StandardButton answer
        = m_platform.messageBox(this, text, title, icon, buttons, defaultButton);
    --m_boxesOpen;
    if (m_closed && m_boxesOpen == 0)
        deleteLater();
    return answer;
}

void Form3::reportNotStored()
{
    ask(QStringLiteral("成績一覧を保存できませんでした。"), QStringLiteral("成績一覧"),
        QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
}

void Form3::release()
{
    if (m_closed)
        return;
    m_closed = true;
    // Posted from no loop of this window's boxes, the deletion comes only
    // when the event loop that runs now takes its next events.
    if (m_boxesOpen == 0)
        deleteLater();
}
