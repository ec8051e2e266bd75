#include "common/logserver_web.h"

#include "common/webdav_web.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace {

// A year of a class is some thousands of files: its listing is larger than
// any file the page reads.
constexpr int largestListing = 16 * 1024 * 1024;

// The names of the files in a PROPFIND answer of depth 1 for `folder`
// (ending in "/"), without the folder itself, sub-folders, or names that
// would leave it.
QStringList fileNames(const QByteArray &multistatus, const QString &folder)
{
    QStringList names;
    QXmlStreamReader xml(multistatus);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.namespaceUri() != u"DAV:"
            || xml.name() != u"href")
            continue;
        // An href is a path or a whole URL; the file's name is its last
        // part, percent-decoded. A folder's href ends in "/".
        const QString href = QUrl(xml.readElementText().trimmed()).path();
        const QString name = href.section(u'/', -1);
        if (!name.isEmpty() && href.endsWith(u'/' + folder + name))
            names << name;
    }
    return xml.hasError() ? QStringList() : names;
}

} // namespace

bool ServerLogFolder::list(QStringList &names)
{
    names.clear();
    const WebPage::Answer answer = WebDav::propfind(m_folder, 1, largestListing);
    // No folder (404) is a server where the school has not made one: it
    // cannot be listed, and the log lives in the stand-in.
    if (answer.status != 207)
        return false;
    names = fileNames(answer.body, m_folder);
    return true;
}

bool ServerLogFolder::read(const QString &name, qint64 limit, QByteArray &content)
{
    content.clear();
    const int largest = int(qMin<qint64>(limit, largestListing));
    const WebPage::Answer answer = WebDav::get(m_folder + name, largest);
    if (answer.status != 200 && answer.status != 206)
        return false;
    content = answer.body.first(qMin(qsizetype(largest), answer.body.size()));
    return true;
}

bool ServerLogFolder::write(const QString &name, const QByteArray &content)
{
    // The folder is the school's to make, beside the page.
    return WebDav::succeeded(WebDav::put(m_folder + name, content).status);
}
