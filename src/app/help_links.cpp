#include "help_links.h"

#include <QDesktopServices>

QString HelpBaseAddress()
{
    return QStringLiteral("https://rowshift.example.org/help/");
}

QUrl WebPageUrl(const QString &path)
{
    return QUrl(HelpBaseAddress() + path);
}

void OpenWebPage(const QString &path)
{
    // The desktop's URL handler, never a shell: the address is not interpreted by anything else.
    QDesktopServices::openUrl(WebPageUrl(path));
}
