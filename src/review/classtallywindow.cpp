#include "review/classtallywindow.h"

#include "common/platform.h"
#include "layouts/label.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QSaveFile>
#include <algorithm>

ClassTallyWindow::ClassTallyWindow(QWidget *mainWindow, Platform &platform,
                                   LogStorageSource storage)
    : TallyWindow(mainWindow, true), m_platform(platform), m_storage(std::move(storage))
{
#ifndef Q_OS_WASM
    askSavePath = [](QWidget *parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("CSVで保存"),
                                            QDir::home().filePath(QStringLiteral("zenta-log.csv")),
                                            QStringLiteral("CSV (*.csv)"));
    };
#endif
    for (int i = 0; i < TallyUi::periods; ++i) {
        QPushButton *button = ui.period[i];
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAccessibleDescription(QStringLiteral("集計する期間"));
        connect(button, &QPushButton::clicked, this, [this, i] { choosePeriod(i); });
    }
    ui.Command2->setAccessibleDescription(QStringLiteral("期間の答えをすべて一つのファイルに"));
    connect(ui.Command2, &QPushButton::clicked, this, &ClassTallyWindow::saveCsv);
    choosePeriod(0);
}

void ClassTallyWindow::choosePeriod(int index)
{
    m_period = static_cast<ClassLog::Period>(qBound(0, index, TallyUi::periods - 1));
    ui.period[int(m_period)]->setChecked(true);
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    m_tally = storage ? ClassTally::read(*storage, m_period, today()) : ClassTally();
    showCounts(m_tally.counts);
    ui.total->setText(m_tally.heading());
}

bool ClassTallyWindow::saveCsv()
{
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    QList<ClassLog::Row> rows;
    if (storage)
        m_tally = ClassTally::read(*storage, m_period, today(), &rows);
    std::stable_sort(rows.begin(), rows.end(), [](const ClassLog::Row &a, const ClassLog::Row &b) {
        return a.shown < b.shown;
    });
    QByteArray content = ClassLog::header();
    for (const ClassLog::Row &row : rows)
        content += ClassLog::encode(row);
    if (!askSavePath) {
        // The browser downloads it.
        QFileDialog::saveFileContent(content, QStringLiteral("zenta-log.csv"));
        return true;
    }
    const QString path = askSavePath(this);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && file.write(content) == content.size() && file.commit())
        return true;
    m_platform.inform(this, QStringLiteral("CSVファイルを保存できませんでした。"),
                      QStringLiteral("クラスの成績表"));
    return false;
}
