#include "results/rankingserver_web.h"

#include "common/classfiles.h"
#include "common/webdav_web.h"
#include "results/rankinglocation.h"

namespace RankingServer {

namespace {

QString path()
{
    return QString::fromLatin1(RankingLocation::fileName);
}

Outcome readUnlocked(QByteArray &content)
{
    content.clear();
    const WebPage::Answer answer = WebDav::get(path());
    if (answer.status == 404)
        return Outcome::Done; // no file yet: the first save makes it
    if (answer.status != 200)
        return answer.status == 0 || answer.status >= 500 ? Outcome::Refused : Outcome::Failed;
    content = answer.body;
    return Outcome::Done;
}

} // namespace

Outcome read(QByteArray &content)
{
    const Outcome outcome = readUnlocked(content);
    if (outcome != Outcome::Done)
        content.clear();
    return outcome;
}

Outcome update(const std::function<bool(QByteArray &)> &change, QByteArray &content)
{
    QByteArray token;
    const int locked
        = WebDav::lock(path(), ClassFiles::staleLockMs / 1000, ClassFiles::lockWaitMs, token)
              .status;
    if (!WebDav::succeeded(locked))
        return locked == 423 ? Outcome::Failed : Outcome::Refused;

    Outcome outcome = readUnlocked(content) == Outcome::Done ? Outcome::Done : Outcome::Failed;
    if (outcome == Outcome::Done) {
        QByteArray changed = content;
        if (change(changed)) {
            const int written = WebDav::put(path(), changed, token).status;
            if (WebDav::succeeded(written))
                content = changed;
            else
                outcome = WebDav::refused(written) ? Outcome::Refused : Outcome::Failed;
        }
    }
    // A lock that is not let go (the server went away) ends by its timeout.
    WebDav::unlock(path(), token);
    return outcome;
}

} // namespace RankingServer
