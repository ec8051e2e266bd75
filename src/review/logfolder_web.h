#pragma once

#include "review/logstorage.h"

// The class's log in the browser: a folder among the files that the page
// keeps in IndexedDB. It is read again before it is looked at, and what is
// written reaches IndexedDB before the write returns, as the ranking file
// does.
class WebLogFolder final : public LogFolder
{
public:
    using LogFolder::LogFolder;

    bool list(QStringList &names) override;
    bool write(const QString &name, const QByteArray &content) override;
    bool keep(const std::function<bool()> &change) override;
};
