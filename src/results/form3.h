#pragma once

#include "layouts/form3layout.h"
#include "results/rankinglocation.h"
#include "results/rankingtable.h"

#include <QDialog>
#include <QMessageBox>

struct Module1;
class Platform;

// The results window: the Best 5 of the current range, this game's score,
// the player's own three best, and the name of a new record holder. It
// loads everything when it is made and is destroyed when it closes, so
// each opening starts afresh; while one of its message boxes runs, the
// destruction waits until the box has returned. Its handlers keep the names the program has
// always had and are public so that tests can drive them.
class Form3 : public QDialog
{
    Q_OBJECT
public:
    Form3(Module1 &module, Platform &platform, const RankingLocation &ranking,
          QWidget *parent = nullptr);

    Form3Ui ui;
    RankingTable table; // namaehyo, jikanhyo and ichi

    void Form_Load();
    void yomikomi();
    void jyunikime();
    void Command1_Click();
    void Command2_Click();
    void Text1_Change();
    void Text1_KeyPress(int keyAscii);

    // Ends an open message box of the window as if answered with Cancel
    // (its handler then does nothing more) and closes the window: nothing
    // is stored and nothing is cleared.
    void dismiss();

signals:
    // A save stored the new score with this name, as the file holds it.
    void nameStored(const QString &name);

public:
    // The row pitch of the lists, in pixels.
    static constexpr int rowPitch = 30;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMessageBox::StandardButton ask(const QString &text, const QString &title,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton);
    void reportNotStored();
    void release();

    Module1 &m_module;
    Platform &m_platform;
    RankingLocation m_ranking;
    int m_boxesOpen = 0;   // message boxes of this window still running
    bool m_closed = false; // closed: deleted once no box of it runs
    bool m_dismissed = false;
};
