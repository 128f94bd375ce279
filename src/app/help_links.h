#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

// The program's pages on the maker's web server.
QString HelpBaseAddress();              // ends with "/"
QUrl WebPageUrl(const QString &path);   // base address + path; the base address alone for an empty path

// Opens a page in the desktop's default browser; nothing waits for it or checks the result.
void OpenWebPage(const QString &path);

namespace HelpPages {
inline constexpr QLatin1String Help("Rowshift/help/Rowshift_help.asp");
inline constexpr QLatin1String Update("Rowshift/help/Rowshift_update.asp");
inline constexpr QLatin1String About("Rowshift/help/Rowshift_about.asp");
inline constexpr QLatin1String DriverError("Grabnest/help/MDACError.asp");
inline constexpr QLatin1String DatabaseError("Grabnest/help/UnRegisterOLEDB.asp");
} // namespace HelpPages
