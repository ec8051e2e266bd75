// Hostile names: generated names typed into the results window's name box
// and stored. Every record written is 12 bytes and reads back, the row
// shows what was typed, and the file holds nothing else than the rows the
// names pushed down.
#include "common/cp932.h"
#include "layouts/label.h"
#include "recordingplatform.h"
#include "results/form3.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// The pieces a name is made of, by kind.
QStringList pieces(const QString &kind)
{
    auto units = [](std::initializer_list<char16_t> list) {
        QStringList out;
        for (char16_t u : list)
            out << QString(QChar(u));
        return out;
    };
    if (kind == "emoji")
        return {"😀", "👩‍👩‍👧", "🇯🇵", "❤️", "🏳️‍🌈", "👍🏽", "🀄"};
    if (kind == "unpaired surrogates")
        return units({0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xD83D})
            << QString(QChar(0xDE00)) + QChar(0xD83D);
    if (kind == "control characters")
        return units({0x00, 0x01, 0x07, 0x08, 0x09, 0x0A, 0x0D, 0x1B, 0x7F, 0x85, 0x9F, 0x2028,
                      0xFEFF, 0x200B, 0xFFFE, 0xFFFF});
    if (kind == "right to left")
        return {"שלום", "مرحبا", "\u202E", "\u200F", "\u202B", "\u202C", "\u2067"};
    if (kind == "half-width katakana")
        return {"ｱ", "ｶﾞ", "ﾊﾟ", "ｰ", "｡", "ｿ", "ﾝ", "ﾞ", "ﾟ"};
    if (kind == "outside code page 932")
        return {"€", "¥", "한국어", "𠀋", "e\u0301", "ß", "丂", "Ǆ"};
    // Text that code page 932 takes, double-byte mostly, to cut at byte 10.
    return {"山田", "やまだ", "①", "髙", "－～", "A", "ｱ", " ", "Ω"};
}

// A name of the given kind: mostly short, now and then 1,000 characters.
QString makeName(const QString &kind, QRandomGenerator &random)
{
    const QStringList parts = pieces(kind);
    const QStringList mixed = pieces("in code page 932");
    const bool isLong = random.bounded(25) == 0;
    QString name;
    while (isLong ? name.size() < 1000 : random.bounded(8) != 0) {
        const QStringList &from = random.bounded(4) == 0 ? mixed : parts;
        name += from[random.bounded(from.size())];
    }
    return isLong ? name.left(1000) : name;
}

// Text as an input method hands it over, over what the box holds: in
// commits of a few units (a long text in longer ones), which may split a
// pair of surrogates. Returns false when the box or the row did not show
// what was typed so far after a commit.
bool typeOver(Form3 &form, const QString &text, QRandomGenerator &random)
{
    QLineEdit *box = form.ui.Text1;
    const Label *row = form.ui.namae[0];
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Backspace);
        // Nothing typed yet in this window: the row keeps its marker.
        return box->text().isEmpty()
            && (row->text().isEmpty() || row->text() == RankingTable::marker());
    }
    const int scale = text.size() > 100 ? 40 : 1;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = qMin<qsizetype>(random.bounded(1, 6) * scale, text.size() - at);
        QInputMethodEvent commit;
        commit.setCommitString(text.mid(at, length));
        QCoreApplication::sendEvent(box, &commit);
        at += length;
        if (box->text() != text.left(at) || row->text() != text.left(at))
            return false;
    }
    return true;
}

// The record a name is stored as: 12 bytes, the name's own bytes as far as
// whole characters go into 10, then blanks; it reads back as ten
// characters without a cut one.
void checkRecord(const QString &name, const QByteArray &record)
{
    QCOMPARE(record.size(), recordSize);
    QByteArray bytes = toCp932(name).left(nameSize);
    if (fromCp932(bytes).contains(QChar(QChar::ReplacementCharacter)))
        bytes.chop(1); // a double-byte character across byte 10
    QCOMPARE(record.first(nameSize), bytes.leftJustified(nameSize, ' '));
    const kiroku back = decodeRecord(record);
    QCOMPARE(back.namae.size(), nameSize);
    QVERIFY(!back.namae.contains(QChar(QChar::ReplacementCharacter)));
    QCOMPARE(back.jikan, 50);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestHostileNames : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void typedAndStored_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind :
             {"emoji", "unpaired surrogates", "control characters", "right to left",
              "half-width katakana", "outside code page 932", "in code page 932"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    // Each window takes a run of names, typed one over the other as a
    // player who changes their mind; the last is stored. Every name goes
    // through the record the save writes; one in namesPerWindow through
    // the file as well, since a save syncs the file to disk and costs more
    // than all the rest.
    void typedAndStored()
    {
        QFETCH(QString, kind);
        const int names = rounds(10000 / 7 + 1), namesPerWindow = 20;
        QRandomGenerator random(qHash(kind));
        Module1 module;
        RecordingPlatform platform;
        const QString path = m_dir.filePath("zenta.rnk");
        QByteArray expected = readAll(path); // what the rows before left

        for (int n = 0; n < names;) {
            module.hani = static_cast<qint16>(n / namesPerWindow % 4);
            module.kekka = 50; // always rank 1: a tie goes above
            module.touroku = 0;
            QPointer<Form3> form = new Form3(module, platform, RankingLocation(m_dir.path()));
            form->show();
            QVERIFY(form->ui.Text1->isVisible());
            QString name;
            for (int k = 0; k < namesPerWindow && n < names; ++k, ++n) {
                name = makeName(kind, random);
                if (!typeOver(*form, name, random))
                    QFAIL(qPrintable(
                        QStringLiteral("name %1: the row is not what was typed").arg(n)));
                form->ui.namae[0]->grab(); // drawn as it would show
                checkRecord(name, encodeRecord(kiroku{name, 50}));
                if (QTest::currentTestFailed())
                    return;
            }
            if (n / namesPerWindow % 2)
                QTest::keyClick(form->ui.Text1, Qt::Key_Return);
            else
                form->Command1_Click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(form.isNull());
            QCOMPARE(visibleTopLevels(), 0);

            // The new record at rank 1, the range's rows one further down.
            const int base = module.hani * 5;
            if (expected.isEmpty())
                for (int i = 0; i < RankingTable::entryCount; ++i)
                    expected += blankRecord();
            expected.insert(base * recordSize, encodeRecord(kiroku{name, 50}));
            expected.remove((base + 5) * recordSize, recordSize);
            if (readAll(path) != expected)
                QFAIL(qPrintable(QStringLiteral("name %1: the file is not as expected").arg(n)));
        }
    }
};

ZENTA_TEST_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
