#include "review/classtallywindow.h"

#include "common/platform.h"
#include "layouts/label.h"

#include <QButtonGroup>
#include <QPushButton>
#include <algorithm>

ClassTallyWindow::ClassTallyWindow(QWidget *mainWindow, Platform &platform,
                                   LogStorageSource storage, int grade)
    : TallyWindow(mainWindow, true), m_platform(platform), m_storage(std::move(storage)),
      m_grade(isGrade(grade) ? grade : defaultGrade)
{
    for (int i = 0; i < TallyUi::periods; ++i) {
        QPushButton *button = ui.period[i];
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAccessibleDescription(QStringLiteral("集計する期間"));
        connect(button, &QPushButton::clicked, this, [this, i] { choosePeriod(i); });
    }
    // The grades are a choice of their own, apart from the periods.
    auto *grades = new QButtonGroup(this);
    for (int i = 0; i < TallyUi::grades; ++i) {
        QPushButton *button = ui.grade[i];
        button->setCheckable(true);
        button->setAccessibleDescription(QStringLiteral("集計する学年"));
        grades->addButton(button);
        connect(button, &QPushButton::clicked, this, [this, i] { chooseGrade(i + 1); });
    }
    ui.grade[m_grade - 1]->setChecked(true);
    ui.Command2->setAccessibleDescription(QStringLiteral("期間の答えをすべて一つのファイルに"));
    connect(ui.Command2, &QPushButton::clicked, this, &ClassTallyWindow::saveCsv);
    choosePeriod(0);
}

void ClassTallyWindow::choosePeriod(int index)
{
    m_period = static_cast<ClassLog::Period>(qBound(0, index, TallyUi::periods - 1));
    ui.period[int(m_period)]->setChecked(true);
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    m_tally = ClassTally{RunTally(m_grade), {}, false};
    if (storage)
        m_tally = ClassTally::read(*storage, m_period, today(), m_grade);
    showCounts(m_tally.counts);
    ui.total->setText(m_tally.heading());
}

void ClassTallyWindow::chooseGrade(int grade)
{
    m_grade = isGrade(grade) ? grade : defaultGrade;
    ui.grade[m_grade - 1]->setChecked(true);
    choosePeriod(int(m_period));
}

bool ClassTallyWindow::saveCsv()
{
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    QList<ClassLog::Row> rows;
    if (storage)
        m_tally = ClassTally::read(*storage, m_period, today(), m_grade, &rows);
    std::stable_sort(rows.begin(), rows.end(), [](const ClassLog::Row &a, const ClassLog::Row &b) {
        return a.shown < b.shown;
    });
    QByteArray content = ClassLog::header();
    for (const ClassLog::Row &row : rows)
        content += ClassLog::encode(row);
    const Platform::Saved saved = askSavePath
        ? Platform::saveAt(askSavePath(this), content)
        : m_platform.saveFile(this, QStringLiteral("CSVで保存"), QStringLiteral("zenta-log.csv"),
                              QStringLiteral("CSV (*.csv)"), content);
    if (saved == Platform::Saved::Failed)
        m_platform.inform(this, QStringLiteral("CSVファイルを保存できませんでした。"),
                          QStringLiteral("クラスの成績表"));
    return saved == Platform::Saved::Done;
}
