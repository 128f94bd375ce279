#include "base/home.h"
#include "program_entry.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rowshift"));
    // The home is resolved once here and passed down: --home DIR wins over the default places.
    const Home home = Home::resolve(HomeOption(QApplication::arguments()));
    return RunProgram(home);
}
