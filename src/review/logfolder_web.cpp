#include "review/logfolder_web.h"

#include "common/webpage_web.h"

bool WebLogFolder::list(QStringList &names)
{
    // With what other tabs of the site wrote since.
    return WebPage::loadFiles() && LogFolder::list(names);
}
