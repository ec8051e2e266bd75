#include "recordingplatform.h"

QMessageBox::StandardButton RecordingPlatform::messageBox(QWidget *, const QString &text,
                                                          const QString &title,
                                                          QMessageBox::Icon icon,
                                                          QMessageBox::StandardButtons buttons,
                                                          QMessageBox::StandardButton defaultButton)
{
    const Box box{text, title, icon, buttons, defaultButton};
    boxes.append(box);
    if (onBox)
        onBox(box);
    return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
}

QStringList RecordingPlatform::titles() const
{
    QStringList list;
    for (const Box &box : boxes)
        list << box.title;
    return list;
}

int RecordingPlatform::count(const QString &title) const
{
    return static_cast<int>(titles().count(title));
}

double ScriptedRandom::next()
{
    if (m_next >= m_draws.size()) {
        m_exhausted = true;
        return 0.0;
    }
    return m_draws[m_next++];
}
