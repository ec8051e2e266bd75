#include "common/webdav_web.h"

#include <algorithm>

#include <QDeadlineTimer>
#include <QRandomGenerator>

namespace WebDav {

namespace {

// Another device holds a lock for the few requests of one change: asked
// again after 100 to 200 ms. Spread so, forty devices that wait for one
// another leave the server time for the one that holds the lock; at a
// 25 ms pace they kept it so busy that some waited past 5 s.
constexpr int lockPollMs = 100;

// The token between the angle brackets of a Lock-Token header.
QByteArray tokenOf(const QByteArray &header)
{
    const QByteArray value = header.trimmed();
    if (value.size() < 3 || !value.startsWith('<') || !value.endsWith('>'))
        return QByteArray();
    const QByteArray token = value.mid(1, value.size() - 2);
    // It goes back in headers: nothing that could end or split one.
    const bool clean = std::all_of(token.begin(), token.end(), [](char c) {
        return c >= 0x21 && c <= 0x7e && c != '<' && c != '>';
    });
    return clean ? token : QByteArray();
}

} // namespace

WebPage::Answer propfind(const QString &path, int depth, int largest)
{
    return WebPage::request(
        "PROPFIND", path,
        {"Depth: " + QByteArray::number(depth), "Content-Type: application/xml; charset=utf-8"},
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<D:propfind xmlns:D=\"DAV:\"><D:prop><D:resourcetype/></D:prop></D:propfind>",
        10000, largest);
}

WebPage::Answer get(const QString &path, int limit)
{
    if (limit <= 0)
        return WebPage::request("GET", path, {}, {}, 10000, largestBody);
    return WebPage::request("GET", path, {"Range: bytes=0-" + QByteArray::number(limit - 1)}, {},
                            10000, limit);
}

WebPage::Answer put(const QString &path, const QByteArray &content, const QByteArray &token)
{
    QByteArrayList headers{"Content-Type: application/octet-stream"};
    if (!token.isEmpty())
        headers << "If: (<" + token + ">)";
    return WebPage::request("PUT", path, headers, content, 10000, largestBody);
}

WebPage::Answer lock(const QString &path, int timeoutSeconds, int waitMs, QByteArray &token)
{
    token.clear();
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                            "<D:lockinfo xmlns:D=\"DAV:\"><D:lockscope><D:exclusive/></D:lockscope>"
                            "<D:locktype><D:write/></D:locktype><D:owner>zenta</D:owner>"
                            "</D:lockinfo>";
    const QByteArrayList headers{"Timeout: Second-" + QByteArray::number(timeoutSeconds),
                                 "Depth: 0", "Content-Type: application/xml; charset=utf-8"};
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        WebPage::Answer answer = WebPage::request("LOCK", path, headers, body,
                                                  qMax(1000, int(deadline.remainingTime())));
        if (succeeded(answer.status)) {
            token = tokenOf(answer.header("lock-token"));
            if (token.isEmpty())
                answer.status = 0; // a lock that cannot be named is no lock
            return answer;
        }
        if (answer.status != 423 || deadline.hasExpired())
            return answer;
        WebPage::pause(lockPollMs + int(QRandomGenerator::global()->bounded(lockPollMs)));
    }
}

WebPage::Answer unlock(const QString &path, const QByteArray &token)
{
    return WebPage::request("UNLOCK", path, {"Lock-Token: <" + token + ">"});
}

} // namespace WebDav
