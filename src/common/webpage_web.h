#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <functional>

// The page around the program in the browser (src/web/zenta.html) and the
// browser's storage. The program's files live in the folder filesFolder(),
// which the page fills from IndexedDB before the program starts; what the
// program writes there reaches IndexedDB only through changeFiles().
namespace WebPage {

QString filesFolder();

// The program's first window is on the screen: the loading notice goes.
void started();
// The program has ended: the page says so and how to start it again.
void ended();

// These wait, with the windows drawn and timers running but no input
// taken, until the browser has done the work; false when it failed.

// Reads the files folder again from IndexedDB, with what other tabs stored.
bool loadFiles();
// Runs `change` on the files folder under a lock that every tab of the site
// shares: the folder is read again first, and what `change` wrote reaches
// IndexedDB before the lock goes. False when the lock could not be had
// within the wait of every lock (ClassFiles), or the folder could not be
// read or written.
bool changeFiles(const std::function<bool()> &change);

// The answer to a request. Status 0: no usable answer (the server could
// not be reached or was too slow, it redirected, or it sent more than the
// request allowed).
struct Answer
{
    int status = 0;
    QByteArray headers; // "name: value" lines, names in lower case
    QByteArray body;

    // The value of the first header of that name (lower case); empty when
    // there is none.
    QByteArray header(const QByteArray &name) const;
};

// One HTTP request to the page's own server, for `path` relative to the
// page's folder and never outside it; `headers` are "Name: value" lines.
// Sent with the page's credentials, never redirected, never from a cache.
Answer request(const QByteArray &method, const QString &path, const QByteArrayList &headers = {},
               const QByteArray &body = {}, int timeoutMs = 10000, int largest = 64 * 1024);

// A pause with the windows drawn and timers running, no input taken.
void pause(int ms);

} // namespace WebPage
