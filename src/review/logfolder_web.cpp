#include "review/logfolder_web.h"

#include "common/webpage_web.h"

bool WebLogFolder::list(QStringList &names)
{
    // With what other tabs of the site wrote since.
    return WebPage::loadFiles() && LogFolder::list(names);
}

bool WebLogFolder::write(const QString &name, const QByteArray &content)
{
    return keep([&] { return LogFolder::write(name, content); });
}

bool WebLogFolder::keep(const std::function<bool()> &change)
{
    return WebPage::changeFiles(change);
}
