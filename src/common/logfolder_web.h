#pragma once

#include "common/logstorage.h"

// The class's log in the browser, where the page's server does not take
// it: a folder among the files that the page keeps in IndexedDB, which
// every tab of the site shares. It is read again before it is looked at,
// and changed under the tabs' lock.
class WebLogFolder final : public LogFolder
{
public:
    using LogFolder::LogFolder;

    bool list(QStringList &names) override;
    bool underLock(const std::function<bool()> &change) override;

private:
    bool m_locked = false; // read again as the lock was taken
};
