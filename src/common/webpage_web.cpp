#include "common/webpage_web.h"

#include "common/classfiles.h"

#include <QEventLoop>
#include <emscripten.h>
#include <functional>
#include <map>

// The browser's side is src/web/library.js.
extern "C" {
void zentaPageStarted();
void zentaPageEnded();
void zentaSyncFiles(int id, int populate);
void zentaLock(int id, const char *name, int timeoutMs, int staleMs);
void zentaUnlock(int id, const char *name);
void zentaRequest(int id, const char *method, const char *path, const char *headers,
                  const char *body, int bodyLength, int timeoutMs, int largest);
int zentaAnswerStatus(int id);
int zentaAnswerSize(int id, int part);
void zentaAnswerCopy(int id, int part, char *to);
void zentaAnswerForget(int id);
void zentaPause(int id, int ms);
}

// Each wait is a nested event loop that the browser's answer ends, so that
// Qt suspends the program the one way it knows (asyncify) and nothing else
// tries to.
namespace {

struct Wait
{
    QEventLoop loop;
    bool answered = false;
    bool ok = false;
};
std::map<int, Wait *> waits;
int nextWait = 1;

bool waitFor(const std::function<void(int id)> &start)
{
    Wait wait;
    const int id = nextWait++;
    waits[id] = &wait;
    start(id);
    if (!wait.answered)
        wait.loop.exec(QEventLoop::ExcludeUserInputEvents);
    waits.erase(id);
    return wait.ok;
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void zentaPageDone(int id, int ok)
{
    const auto found = waits.find(id);
    if (found == waits.end())
        return;
    found->second->answered = true;
    found->second->ok = ok != 0;
    found->second->loop.quit();
}

namespace WebPage {

QString filesFolder()
{
    return QStringLiteral("/zenta");
}

void started()
{
    zentaPageStarted();
}

void ended()
{
    zentaPageEnded();
}

bool loadFiles()
{
    return waitFor([](int id) { zentaSyncFiles(id, 1); });
}

bool changeFiles(const std::function<bool()> &change)
{
    // The lock is named after the ranking file, with the desktop's waits.
    const char *lockName = ClassFiles::rankingName;
    if (!waitFor([lockName](int id) {
            zentaLock(id, lockName, ClassFiles::lockWaitMs, ClassFiles::staleLockMs);
        }))
        return false;
    const bool done = loadFiles() && change() && waitFor([](int id) { zentaSyncFiles(id, 0); });
    waitFor([lockName](int id) { zentaUnlock(id, lockName); });
    return done;
}

QByteArray Answer::header(const QByteArray &name) const
{
    for (const QByteArray &line : headers.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed() == name)
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}

Answer request(const QByteArray &method, const QString &path, const QByteArrayList &headers,
               const QByteArray &body, int timeoutMs, int largest)
{
    const QByteArray pathUtf8 = path.toUtf8();
    const QByteArray lines = headers.join('\n');
    int asked = 0;
    waitFor([&](int id) {
        asked = id;
        zentaRequest(id, method.constData(), pathUtf8.constData(), lines.constData(),
                     body.constData(), int(body.size()), timeoutMs, largest);
    });
    Answer answer;
    answer.status = zentaAnswerStatus(asked);
    answer.headers.resize(zentaAnswerSize(asked, 0));
    answer.body.resize(zentaAnswerSize(asked, 1));
    zentaAnswerCopy(asked, 0, answer.headers.data());
    zentaAnswerCopy(asked, 1, answer.body.data());
    zentaAnswerForget(asked);
    return answer;
}

void pause(int ms)
{
    waitFor([ms](int id) { zentaPause(id, ms); });
}

} // namespace WebPage
