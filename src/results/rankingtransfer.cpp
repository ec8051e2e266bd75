#include "results/rankingtransfer.h"

#include "common/platform.h"
#include "results/rankinglocation.h"
#include "results/rankingstorage.h"

#include <QFileDialog>
#include <QPointer>
#include <QTimer>

namespace {

constexpr qsizetype largestFile = 64 * 1024;

QString saveTitle()
{
    return QStringLiteral("成績ファイルを保存");
}

QString loadTitle()
{
    return QStringLiteral("成績ファイルを読み込む");
}

} // namespace

void downloadRankingFile(QWidget *parent, Platform &platform, const RankingLocation &where)
{
    // The file on show as it is now: the server's, or the browser's
    // stand-in, other devices' and tabs' saves included.
    QByteArray content;
    if (!where.storage()->open(content) || content.isEmpty()) {
        platform.inform(parent, QStringLiteral("成績はまだ記録されていません。"), saveTitle());
        return;
    }
    platform.saveFile(parent, saveTitle(), QString::fromLatin1(RankingLocation::fileName),
                      QString(), content);
}

void uploadRankingFile(QWidget *parent, Platform &platform, const RankingLocation &where)
{
    const QPointer<QWidget> window = parent;
    // The page asks for the file and answers later; the boxes come from
    // the event loop, not from inside the browser's answer.
    QFileDialog::getOpenFileContent(
        QString(), [window, &platform, where](const QString &name, const QByteArray &content) {
            if (name.isEmpty() || !window)
                return; // no file chosen
            QTimer::singleShot(0, window, [window, &platform, where, name, content] {
                if (content.size() > largestFile) {
                    platform.inform(
                        window,
                        QStringLiteral("「%1」は 64 KB より大きいので，成績ファイルとして"
                                       "読み込めません。\r成績は変わりません。")
                            .arg(name),
                        loadTitle());
                    return;
                }
                const auto answer = platform.messageBox(
                    window,
                    QStringLiteral("「%1」の成績を，このページの成績にします。\r"
                                   "今までの成績は消えます。よろしいですか？")
                        .arg(name),
                    loadTitle(), QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel,
                    QMessageBox::Cancel);
                if (answer != QMessageBox::Ok)
                    return;
                // The whole file, under the lock of every save.
                const std::unique_ptr<RankingStorage> storage = where.storage();
                QByteArray shown;
                if (!storage->open(shown) || !storage->update([&content](QByteArray &file) {
                        file = content;
                        return true;
                    })) {
                    platform.inform(window,
                                    QStringLiteral("成績ファイルを書き込めませんでした。\r"
                                                   "成績は変わりません。"),
                                    loadTitle());
                    return;
                }
                platform.inform(window, QStringLiteral("成績ファイルを読み込みました。"),
                                loadTitle());
            });
        });
}
