#include "common/logfolder_web.h"

#include "common/webpage_web.h"

bool WebLogFolder::list(QStringList &names)
{
    // With what other tabs of the site wrote since.
    return (m_locked || WebPage::loadFiles()) && LogFolder::list(names);
}

bool WebLogFolder::underLock(const std::function<bool()> &change)
{
    return WebPage::changeFiles([this, &change] {
        m_locked = true;
        const bool done = change();
        m_locked = false;
        return done;
    });
}
