#include "TMainFrm.h"

#include "base/home.h"
#include "store/data_module.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rowshift"));

    QString homeDir;
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < args.size())
        homeDir = args.at(at + 1);
    const Home home = Home::resolve(homeDir);

    TDm dm;
    QString error;
    if (!home.ensureRoot(&error) || !BringUpStore(dm, home.databasePath(), error)) {
        QMessageBox::critical(nullptr, QStringLiteral("岚石通 V2.01"), error);
        return 1;
    }
    TMainFrm window(dm);
    window.show();
    return app.exec();
}
