#include "description_browser.h"

#include "base/ansi_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {

bool isReadableRegularFile(const QFileInfo &file)
{
    return file.isFile() && file.isReadable() && file.size() <= DescriptionBrowser::MaxFileSize;
}

} // namespace

DescriptionBrowser::DescriptionBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("WebBrowser"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void DescriptionBrowser::showFile(const QString &path)
{
    QString file = path.trimmed();
    if (!file.isEmpty() && QFileInfo(file).isRelative() && !m_descDir.isEmpty())
        file = QDir(m_descDir).filePath(file);
    QString html;
    const QFileInfo info(file);
    if (file.isEmpty() || !isReadableRegularFile(info) || !AnsiText::readFile(file, &html)) {
        m_shownFile.clear();
        clear();
        return;
    }
    m_shownFile = info.absoluteFilePath();
    // Relative pictures of the description resolve beside its file.
    document()->setBaseUrl(QUrl::fromLocalFile(info.absolutePath() + QLatin1Char('/')));
    setHtml(html);
}

QVariant DescriptionBrowser::loadResource(int type, const QUrl &name)
{
    if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
        return QVariant();
    const QUrl url = document()->baseUrl().resolved(name);
    if (!url.isLocalFile() || !url.host().isEmpty())
        return QVariant(); // remote resources (network shares too) are never fetched
    const QFileInfo info(url.toLocalFile());
    if (!isReadableRegularFile(info))
        return QVariant();
    QFile f(info.absoluteFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return QVariant();
    const QByteArray bytes = f.read(MaxFileSize);
    if (type == QTextDocument::StyleSheetResource)
        return AnsiText::decode(bytes);
    return bytes;
}
