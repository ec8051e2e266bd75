// window test
// The results window on its own: what it shows after a game and from the
// list command, taking a name, saving, clearing, closing, and its layout.
#include "common/twips.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"
#include "recordingplatform.h"
#include "results/form3.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <grp.h>
#include <unistd.h>
#endif

using Scores = QList<int>;

namespace {

QByteArray record(const QString &name, int score)
{
    return encodeRecord(kiroku{name, static_cast<qint16>(score)});
}

QByteArray blankRecords(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += blankRecord();
    return bytes;
}

// Text as a Japanese input method hands it over, one commit a character.
void type(QLineEdit *box, const QString &text)
{
    for (QChar c : text) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QCoreApplication::sendEvent(box, &commit);
    }
}

// Set in the copy of this program that runs the permission cases as a
// user without privileges: the folder to work in.
constexpr const char *asPlayer = "ZENTA_AS_PLAYER";

bool setMode(const QString &path, QFile::Permissions mode)
{
    return QFile::setPermissions(path, mode);
}

constexpr QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
    | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
constexpr QFile::Permissions writable = readOnly | QFile::WriteOwner;

QStringList captions(const auto &labels)
{
    QStringList list;
    for (const Label *label : labels)
        list << label->text();
    return list;
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;
    Module1 m_module;
    RecordingPlatform m_platform;
    QPointer<Form3> m_form;

    QByteArray file() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }

    void setFile(const QByteArray &bytes)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Range 1 holds 45, 40, 30, 20, 10 ("a" to "e"); the other ranges 9.
    static QByteArray rangeOneFile()
    {
        QByteArray bytes;
        const Scores scores{45, 40, 30, 20, 10};
        for (int i = 0; i < 20; ++i)
            bytes += i / 5 == 1 ? record(QString(QChar(u'a' + i % 5)), scores[i % 5])
                                : record("x", 9);
        return bytes;
    }

    // The window as the end of a game or the list command opens it; the
    // file lives in the test's folder unless `folders` says otherwise.
    Form3 *open(int hani, int kekka, const QStringList &folders = {})
    {
        m_module.hani = static_cast<qint16>(hani);
        m_module.kekka = static_cast<qint16>(kekka);
        m_form = new Form3(m_module, m_platform,
                           RankingLocation(folders.value(0, m_dir.path()), folders.value(1)));
        m_form->show();
        m_form->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(m_form)); }();
        return m_form;
    }

    // The close box of the window's frame.
    void closeThroughFrame()
    {
        QCloseEvent closeBox;
        QCoreApplication::sendEvent(m_form->windowHandle(), &closeBox);
    }

#ifndef Q_OS_WIN
    // Runs the test function `which` in a copy of this program, as the
    // user "nobody" when this one runs as root, in a folder of its own.
    void runAsPlayer(const QString &which)
    {
        const QTemporaryDir work(QDir::tempPath() + "/zenta-player-XXXXXX");
        QVERIFY(work.isValid());
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
            | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ExeGroup;
        QVERIFY(QFile::setPermissions(work.path(), open));
        // A copy the user can run, wherever the build folder lies.
        const QString program = work.filePath("tst_form3");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
        QVERIFY(QFile::setPermissions(program, readOnly | QFile::WriteOwner));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(asPlayer, work.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", work.filePath("home"));
        env.insert("XDG_DATA_HOME", work.filePath("home/data"));
        env.insert("XDG_CACHE_HOME", work.filePath("home/cache"));
        env.insert("XDG_CONFIG_HOME", work.filePath("home/config"));
        env.remove("XDG_RUNTIME_DIR");
        // Leaks are looked for in this program; the copy may not read the
        // suppressions file.
        env.remove("LSAN_OPTIONS");
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.setChildProcessModifier([] {
            if (geteuid() == 0
                && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(97);
        });
        child.start(program, {which});
        QVERIFY2(child.waitForFinished(120000), "the copy did not finish");
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        QVERIFY2(output.contains("PASS   : TestForm3::permissions("), output.constData());
    }
#endif

    // Closed and gone, as the next opening must find it.
    bool destroyed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_form.isNull();
    }

private slots:
    void init()
    {
        m_path = m_dir.filePath("zenta.rnk");
        QFile::remove(m_path);
        QDir(m_path).removeRecursively(); // a folder in place of the file
        m_module = Module1();
        m_platform = RecordingPlatform();
    }

    void cleanup()
    {
        delete m_form.data();
        QCOMPARE(visibleTopLevels(), 0);
    }

    // 37 points place third in range 1.
    void thirdInRangeOne()
    {
        setFile(rangeOneFile());
        Form3 *f = open(1, 37);
        saveShot(f, "form3-name-entry");
        QCOMPARE(f->ui.jikan9->text(), " 37");
        QCOMPARE(f->ui.enz0->text(), "１～５");
        QVERIFY(f->ui.Label6->isVisible() && f->ui.Text1->isVisible());
        QCOMPARE(f->ui.Label6->text(), " 3番です。名前を入力して下さい。");
        QCOMPARE(captions(f->ui.jyun), (QStringList{" 1", " 2", " 3", " 4", " 5"}));
        QCOMPARE(
            captions(f->ui.namae),
            (QStringList{"a         ", "b         ", "ここです！", "c         ", "d         "}));
        QCOMPARE(captions(f->ui.jikan), (QStringList{"45", "40", "37", "30", "20"}));
        QCOMPARE(captions(f->ui.jyun1), (QStringList{"1", " 2", " 3"}));
        QCOMPARE(captions(f->ui.jikan1), (QStringList{"37", "0", "0"}));
        QCOMPARE(QApplication::focusWidget(), f->ui.Text1);

        // The row follows the box at each change.
        type(f->ui.Text1, "やま");
        QCOMPARE(f->ui.namae[2]->text(), "やま");
        f->ui.Text1->clear();
        QCOMPARE(f->ui.namae[2]->text(), "");
        type(f->ui.Text1, "やまだ");
        QCOMPARE(f->ui.namae[2]->text(), "やまだ");
        QCOMPARE(file(), rangeOneFile()); // nothing stored before Enter

        QTest::keyClick(f->ui.Text1, Qt::Key_Return);
        QVERIFY(destroyed());
        QByteArray expected = rangeOneFile();
        expected.replace(7 * 12, 36, record("やまだ", 37) + record("c", 30) + record("d", 20));
        QCOMPARE(file(), expected + blankRecords(55));
        QCOMPARE(file().mid(84, 12).toHex(' '), "82 e2 82 dc 82 be 20 20 20 20 25 00");
        QVERIFY(m_platform.boxes.isEmpty());
    }

    // From the list command: nothing to place, and "戻る" leaves the file
    // byte for byte as it was (created empty when missing).
    void viewOnly_data()
    {
        QTest::addColumn<bool>("hadFile");
        QTest::newRow("no file yet") << false;
        QTest::newRow("a file") << true;
    }

    void viewOnly()
    {
        QFETCH(bool, hadFile);
        if (hadFile)
            setFile(rangeOneFile() + "tail");
        Form3 *f = open(hadFile ? 1 : 3, 0);
        if (!hadFile)
            saveShot(f, "form3-view-only");
        QCOMPARE(f->ui.jikan9->text(), " 0");
        QVERIFY(!f->ui.Label6->isVisible() && !f->ui.Text1->isVisible());
        QCOMPARE(QApplication::focusWidget(), f->ui.Command1);
        QCOMPARE(captions(f->ui.jyun1), (QStringList{"1", " 2", " 3"}));
        QCOMPARE(captions(f->ui.jikan1), (QStringList{"0", "0", "0"}));
        if (hadFile) {
            QCOMPARE(captions(f->ui.jikan), (QStringList{"45", "40", "30", "20", "10"}));
        } else {
            QCOMPARE(captions(f->ui.jikan), QStringList(5, "0"));
            QCOMPARE(captions(f->ui.namae), QStringList(5, QString(10, u' ')));
        }
        QTest::mouseClick(f->ui.Command1, Qt::LeftButton);
        QVERIFY(destroyed());
        QCOMPARE(file(), hadFile ? rangeOneFile() + "tail" : QByteArray());
    }

    // Below the five rows: no name to enter, but the score enters the
    // player's own list; "戻る" writes nothing.
    void missesTheBestFive()
    {
        setFile(rangeOneFile());
        m_module.jikokiroku[1] = {30, 8, 0};
        Form3 *f = open(1, 9);
        QVERIFY(!f->ui.Text1->isVisible() && !f->ui.Label6->isVisible());
        QCOMPARE(captions(f->ui.jikan1), (QStringList{"30", "9", "8"}));
        QCOMPARE(m_module.touroku, 1);
        f->Command1_Click();
        QVERIFY(destroyed());
        QCOMPARE(file(), rangeOneFile());
    }

    // Whatever is typed shows in full; the file keeps what fits.
    void typedNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("kana and kanji") << "山田はなこ"
                                        << "山田はなこ";
        QTest::newRow("longer than the record") << "あいうえおかきくけこ"
                                                << "あいうえお";
        QTest::newRow("double-byte across byte ten") << "ABCあいうえ"
                                                     << "ABCあいう";
        QTest::newRow("not in code page 932") << "€uro😀"
                                              << "?uro?";
    }

    void typedNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Form3 *f = open(0, 12);
        type(f->ui.Text1, typed);
        QCOMPARE(f->ui.namae[0]->text(), typed.isEmpty() ? "ここです！" : typed);
        QTest::mouseClick(f->ui.Command1, Qt::LeftButton);
        QVERIFY(destroyed());
        QCOMPARE(file(), record(stored, 12) + blankRecords(74));
    }

    // "初期化": the question first; Cancel changes nothing and drops the
    // new row, OK blanks the four ranges; the window closes either way.
    void clearing_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK") << true;
    }

    void clearing()
    {
        QFETCH(bool, ok);
        setFile(rangeOneFile());
        m_platform.answers = {ok ? QMessageBox::Ok : QMessageBox::Cancel};
        Form3 *f = open(1, 37);
        type(f->ui.Text1, "x");
        QTest::mouseClick(f->ui.Command2, Qt::LeftButton);
        QVERIFY(destroyed());
        QCOMPARE(m_platform.boxes.size(), 1);
        const RecordingPlatform::Box &box = m_platform.boxes[0];
        QCOMPARE(box.text, "成績一覧の名前と時間を消去しますか？");
        QCOMPARE(box.title, "確認");
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton, QMessageBox::Cancel);
        QCOMPARE(file(), ok ? blankRecords(20) : rangeOneFile());
        QCOMPARE(m_module.jikokiroku[1], (std::array<qint16, 3>{37, 0, 0}));
    }

    // The close box drops a pending name; Escape does not close at all.
    void closeBoxAndEscape()
    {
        setFile(rangeOneFile());
        Form3 *f = open(1, 37);
        type(f->ui.Text1, "x");
        QTest::keyClick(f->ui.Text1, Qt::Key_Escape);
        QVERIFY(f->isVisible());
        closeThroughFrame();
        QVERIFY(destroyed());
        QCOMPARE(file(), rangeOneFile());
        QVERIFY(m_platform.boxes.isEmpty());
    }

    // No folder takes the file: the window still works, and storing says
    // it failed.
    void cannotStore_data()
    {
        QTest::addColumn<int>("kekka");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<bool>("reported");
        QTest::newRow("save a name") << 20 << false << true;
        QTest::newRow("clearing") << 0 << true << true;
        QTest::newRow("viewing only") << 0 << false << false;
    }

    void cannotStore()
    {
        QFETCH(int, kekka);
        QFETCH(bool, clear);
        QFETCH(bool, reported);
        setFile("x"); // a regular file, so nothing can go below it
        Form3 *f = open(0, kekka, {m_path + "/a", m_path + "/b"});
        QCOMPARE(captions(f->ui.jikan).mid(1), QStringList(4, "0"));
        type(f->ui.Text1, "名");
        (clear ? f->ui.Command2 : f->ui.Command1)->click();
        // A name that could not be stored stays in its box for another try.
        const bool kept = kekka != 0 && !clear;
        QCOMPARE(!destroyed(), kept);
        if (kept) {
            QVERIFY(f->isVisible() && f->ui.Text1->isVisible());
            QCOMPARE(f->ui.Text1->text(), "名");
            closeThroughFrame();
            QVERIFY(destroyed());
        }
        QCOMPARE(m_platform.count("成績一覧"), reported ? 1 : 0);
        if (reported) {
            const RecordingPlatform::Box &box = m_platform.boxes.last();
            QCOMPARE(box.text, "成績一覧を保存できませんでした。");
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }

    // A folder in place of the file, before the window opens or while it
    // is open, and a file of 1 MiB: the window loads what it can, stores
    // where it can or says it could not, closes, and whatever was there
    // stays as it was.
    void badPlaces_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("reported");
        QTest::newRow("a folder named zenta.rnk: the data folder takes the file")
            << "folder" << false;
        QTest::newRow("a folder named zenta.rnk, the data folder unwritable too")
            << "folder, no data folder" << true;
        QTest::newRow("the file replaced by a folder while the window is open")
            << "replaced" << true;
        QTest::newRow("a file of 1 MiB") << "1 MiB" << false;
    }

    void badPlaces()
    {
        QFETCH(QString, fault);
        QFETCH(bool, reported);
        QDir dir(m_dir.path());
        QFile::remove(dir.filePath("plain"));
        const QTemporaryDir dataFolder;
        auto put = [](const QString &path, const QByteArray &bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QByteArray before = rangeOneFile();
        if (fault == "1 MiB")
            before += QByteArray(1024 * 1024 - before.size(), '\xA5');
        QString data = dataFolder.path(), stored = m_path;
        if (fault.startsWith("folder")) {
            QVERIFY(dir.mkdir("zenta.rnk") && put(m_path + "/kept", before));
            stored = RankingLocation(m_dir.path(), data).standIn();
            if (fault.endsWith("no data folder")) {
                QVERIFY(put(dir.filePath("plain"), "x")); // nothing can go below it
                data = dir.filePath("plain") + "/data";
                stored.clear();
            }
        } else {
            setFile(before);
        }

        const QStringList listing = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        Form3 *f = open(1, 37, {m_dir.path(), data});
        const QStringList shown = fault.startsWith("folder")
            ? QStringList{"37", "0", "0", "0", "0"}
            : QStringList{"45", "40", "37", "30", "20"};
        QCOMPARE(captions(f->ui.jikan), shown);
        if (fault == "replaced") {
            QVERIFY(QFile::rename(m_path, dir.filePath("moved")));
            QVERIFY(dir.mkdir("zenta.rnk"));
            QVERIFY(QFile::rename(dir.filePath("moved"), m_path + "/kept"));
        }
        const int ichi = f->table.ichi;
        type(f->ui.Text1, "やまだ");
        QTest::keyClick(f->ui.Text1, Qt::Key_Return);
        QCOMPARE(destroyed(), !reported); // a failed save keeps the window
        if (reported) {
            QCOMPARE(f->ui.Text1->text(), "やまだ");
            closeThroughFrame();
            QVERIFY(destroyed());
        }
        QCOMPARE(m_platform.count("成績一覧"), reported ? 1 : 0);
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), listing);
        if (fault != "1 MiB") {
            QFile kept(m_path + "/kept");
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), before);
        }
        if (!reported) {
            QFile file(stored);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray after = file.readAll();
            QCOMPARE(after.size(), qMax<qsizetype>(before.size(), 900));
            QCOMPARE(after.mid(ichi * 12, 12), record("やまだ", 37));
            if (fault == "1 MiB") // outside range 1 every byte as it was
                QVERIFY(after.first(60) == before.first(60) && after.mid(120) == before.mid(120));
        }
    }

    // The ranking file or its folder read-only, as a teacher leaves them
    // in a classroom, with the user's data folder next in line. Through
    // the window: the rows of the file on show, a save that fails while the
    // place it goes to cannot be written and is tried again once it can,
    // the row stored with the name typed, and the next opening showing it.
    // Root ignores permission bits, so the cases run in a copy of this
    // program started as a user without privileges.
    void permissions_data()
    {
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("read-only file") << false << true;
        QTest::newRow("read-only folder, writable file") << true << false;
        QTest::newRow("both read-only") << false << false;
    }

    void permissions()
    {
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
#ifdef Q_OS_WIN
        // The read-only attribute bars writing a file, but nothing in a
        // folder: only the folder's access rights would.
        if (!fileWritable)
            QSKIP("needs a folder that cannot be written for a while");
        const QTemporaryDir temporary;
        const QDir work(temporary.path());
#else
        if (!qEnvironmentVariableIsSet(asPlayer)) {
            runAsPlayer(QStringLiteral("permissions:") + QTest::currentDataTag());
            return;
        }
        QVERIFY2(geteuid() != 0, "root ignores permission bits");
        const QDir work(qEnvironmentVariable(asPlayer));
#endif
        const QString program = work.filePath("program");
        const QString data = work.filePath("data/zenta");
        const QString file = program + "/zenta.rnk";
        QVERIFY(QDir().mkpath(program));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(rangeOneFile()) == 240);
        }
        QVERIFY(setMode(file, fileWritable ? writable : readOnly));
        QVERIFY(setMode(program, folderWritable ? writable : readOnly));
        const QStringList listing
            = QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QString stored = fileWritable ? file : RankingLocation(program, data).standIn();
        const QString target = fileWritable ? file : data; // made unwritable for a while

        Form3 *f = open(1, 37, {program, data});
        QCOMPARE(captions(f->ui.jikan), (QStringList{"45", "40", "37", "30", "20"}));
        type(f->ui.Text1, "やまだ");
        QVERIFY(setMode(target, readOnly));
        QTest::keyClick(f->ui.Text1, Qt::Key_Return);
        QCOMPARE(m_platform.count("成績一覧"), 1);
        QVERIFY(!destroyed());
        QCOMPARE(f->ui.Text1->text(), "やまだ");
        QVERIFY(setMode(target, writable));
        QTest::keyClick(f->ui.Text1, Qt::Key_Return);
        QVERIFY(destroyed());
        QCOMPARE(m_platform.count("成績一覧"), 1);

        QByteArray expected = rangeOneFile() + blankRecords(55);
        expected.replace(7 * 12, 3 * 12, expected.mid(6 * 12, 3 * 12));
        expected.replace(7 * 12, 12, record("やまだ", 37));
        QFile saved(stored);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toHex(' '), expected.toHex(' '));
        if (stored != file) {
            QFile untouched(file);
            QVERIFY(untouched.open(QIODevice::ReadOnly));
            QCOMPARE(untouched.readAll(), rangeOneFile());
        }
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), listing);

        // The next opening shows the file the save wrote.
        f = open(1, 0, {program, data});
        QCOMPARE(f->ui.namae[2]->text().trimmed(), "やまだ");
        f->ui.Command1->click();
        QVERIFY(destroyed());
        QVERIFY(setMode(program, writable) && setMode(file, writable));
    }

    // Every control where the layout puts it, the rows made at load
    // included: left, top, width, height in twips, font, alignment.
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsBox");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("align"); // 0: left, 1: centred, 2: right
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");

        const QColor none, green(128, 255, 128);
        auto row = [&](const QString &name, QRect box, double points, bool bold, int align,
                       QColor text = {}, QColor back = QColor(128, 255, 128)) {
            QTest::newRow(qPrintable(name))
                << name << box << points << bold << align << text << back;
        };
        row("Label1", {120, 120, 1695, 405}, 20.25, true, 0, QColor(255, 0, 0), QColor(0, 128, 0));
        row("Command2", {3240, 120, 732, 372}, 9, false, 0, none, none);
        row("Label4", {600, 600, 720, 285}, 14.25, false, 0, QColor(0, 0, 192));
        row("enz0", {1560, 600, 1695, 255}, 13.5, false, 1);
        for (int k = 0; k < 5; ++k) {
            const int top = 1200 + 450 * k;
            row(QStringLiteral("jyun(%1)").arg(k), {240, top, 372, 372}, 15.75, true, 1);
            row(QStringLiteral("namae(%1)").arg(k), {960, top, 1935, 375}, 13.5, false, 0);
            row(QStringLiteral("jikan(%1)").arg(k), {3120, top, 615, 375}, 15.75, true, 2);
        }
        row("Label3", {120, 3840, 1920, 315}, 15.75, true, 0, QColor(0, 0, 255),
            QColor(0, 255, 255));
        for (int k = 0; k < 3; ++k) {
            const int top = 3840 + 450 * k;
            row(QStringLiteral("jyun1(%1)").arg(k), {2400, top, 375, 375}, 15.75, true, 1);
            row(QStringLiteral("jikan1(%1)").arg(k), {3120, top, 615, 375}, 15.75, true, 2);
        }
        row("Label2", {240, 4440, 972, 252}, 9, false, 0, QColor(255, 0, 0));
        row("jikan9", {480, 4800, 855, 375}, 15.75, true, 2);
        row("Label6", {120, 5400, 3852, 372}, 12, false, 0, QColor(0, 64, 64));
        row("Text1", {1320, 5760, 1815, 405}, 13.5, false, 0, none, QColor(128, 128, 255));
        row("Command1", {3240, 5760, 732, 372}, 10.5, false, 0, none, none);
        Q_UNUSED(green);
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsBox);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(int, align);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        setFile(rangeOneFile());
        Form3 *f = open(1, 37); // name entry: every control shows
        const QList<QWidget *> found = f->findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        QWidget *w = found[0];
        QVERIFY(w->isVisible());
        const QRect designed
            = twipsRect(twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height());
        auto *label = qobject_cast<Label *>(w);
        if (label && label->autoSize()) {
            QCOMPARE(w->pos(), designed.topLeft());
            QVERIFY(w->width() >= designed.width() && w->height() >= designed.height());
        } else {
            QCOMPARE(w->geometry(), designed);
        }
        QCOMPARE(w->font().family(), gothicFace());
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        if (text.isValid())
            QCOMPARE(w->palette().color(w->foregroundRole()), text);
        if (back.isValid())
            QCOMPARE(w->palette().color(w->backgroundRole()), back);
        if (label) {
            const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, expected[align]);
        }
        if (auto *button = qobject_cast<QPushButton *>(w))
            QVERIFY(!button->isDefault() && !button->autoDefault());
    }

    void windowAndLines()
    {
        Form3 *f = open(0, 0);
        QCOMPARE(f->windowTitle(), "ヒョウミ1(z.Aoba)");
        QCOMPARE(f->size(), QSize(272, 418));
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QCOMPARE(f->palette().color(QPalette::Window), QColor(128, 255, 128));
        const QList<QPair<LineWidget *, int>> lines{
            {f->ui.Line2, 3600}, {f->ui.Line1, 3720}, {f->ui.Line3, 5280}};
        const QImage image = f->grab().toImage();
        for (const auto &[line, y] : lines) {
            QCOMPARE(line->line(), QLine(twips(120), twips(y), twips(3960), twips(y)));
            QCOMPARE(line->color(), QColor(0, 0, 0));
            QCOMPARE(line->pixels(), 1);
            QCOMPARE(image.pixelColor(twips(2000), twips(y)), QColor(0, 0, 0));
        }
        // Tab order: the name box, "戻る", "初期化".
        QCOMPARE(f->ui.Text1->nextInFocusChain(), f->ui.Command1);
        QWidget *next = f->ui.Command1->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, f->ui.Command2);
    }

    // A second opening builds the same rows at the same places, never more.
    void reopening()
    {
        QList<QRect> first;
        for (int round = 0; round < 2; ++round) {
            Form3 *f = open(2, 0);
            QList<QRect> boxes;
            for (Label *label : f->findChildren<Label *>())
                boxes << label->geometry();
            QCOMPARE(boxes.size(), 8 + 5 * 3 + 3 * 2);
            if (round == 0)
                first = boxes;
            else
                QCOMPARE(boxes, first);
            f->Command1_Click();
            QVERIFY(destroyed());
        }
    }
};

ZENTA_TEST_MAIN(TestForm3)
#include "tst_form3.moc"
