#pragma once

#include "review/logstorage.h"

// The class's log in the browser, where the page's server does not take
// it: a folder among the files that the page keeps in IndexedDB, read
// again before it is looked at. It is written under the server's folder's
// keep, which takes what was written to IndexedDB.
class WebLogFolder final : public LogFolder
{
public:
    using LogFolder::LogFolder;

    bool list(QStringList &names) override;
};
