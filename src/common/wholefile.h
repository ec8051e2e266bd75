#pragma once

#include <QByteArray>
#include <QString>

// A plain file's bytes, its first `limit` where that is not -1; false when
// it cannot be read or is no plain file (a pipe or a device would never
// end).
bool readWholeFile(const QString &path, QByteArray &content, qint64 limit = -1);

// Makes `content` the whole file `path`: a new file renamed over the old
// one, so that a failure at any point leaves the old one as it was. Where
// another program holds the file open, Windows refuses the rename: it is
// tried again for up to renameWaitMs. A write that fails (a full disk) is
// not.
bool writeWholeFile(const QString &path, const QByteArray &content, int renameWaitMs = 0);
