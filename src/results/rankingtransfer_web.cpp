#include "results/rankingtransfer_web.h"

#include "common/platform.h"
#include "results/rankingfile.h"
#include "results/rankinglocation.h"
#include "results/rankingtable.h"

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

void downloadRankingFile(QWidget *parent, Platform &platform, Module1 &module,
                         const RankingLocation &where)
{
    // The file on show as it is now: the server's, or the browser's
    // stand-in, other devices' and tabs' saves included.
    RankingTable table(module);
    QByteArray content;
    if (!table.yomikomi(where) || !RankingFile::read(table.shown(), content) || content.isEmpty()) {
        platform.inform(parent, QStringLiteral("成績はまだ記録されていません。"), saveTitle());
        return;
    }
    QFileDialog::saveFileContent(content, QString::fromLatin1(RankingLocation::fileName));
}

void uploadRankingFile(QWidget *parent, Platform &platform, Module1 &module,
                       const RankingLocation &where)
{
    const QPointer<QWidget> window = parent;
    // The page asks for the file and answers later; the boxes come from
    // the event loop, not from inside the browser's answer.
    QFileDialog::getOpenFileContent(
        QString(),
        [window, &platform, &module, where](const QString &name, const QByteArray &content) {
            if (name.isEmpty() || !window)
                return; // no file chosen
            QTimer::singleShot(0, window, [window, &platform, &module, where, name, content] {
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
                RankingTable table(module);
                if (!table.yomikomi(where) || !table.adopt(content)) {
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
