#pragma once

#include <QByteArray>
#include <QString>

// Makes `content` the whole file `path`: a new file renamed over the old
// one, so that a failure at any point leaves the old one as it was. Where
// another program holds the file open, Windows refuses the rename: it is
// tried again for up to renameWaitMs. A write that fails (a full disk) is
// not.
bool writeWholeFile(const QString &path, const QByteArray &content, int renameWaitMs = 0);
