#include "program_entry.h"

#include "help_links.h"
#include "main_window.h"
#include "message_boxes.h"
#include "store/data_module.h"

#include <QApplication>
#include <QSqlDatabase>

#include <exception>
#include <memory>

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

} // namespace

void ReportCreationFailure(const CreationFailure &failure)
{
    const QString caption = QStringLiteral("岚石通");
    if (failure.driverMissing) {
        const QString text = QuestionErrorText(
            QStringLiteral("创建主程序窗口失败，软件运行所需的数据库驱动安装错误，错误信息："), failure.message);
        if (MessageBoxes::ask(nullptr, caption, text))
            OpenWebPage(HelpPages::DriverError);
        return;
    }
    MessageBoxes::inform(nullptr, caption, NoticeErrorText(QStringLiteral("创建主程序窗口失败，错误信息："), failure.message));
}

int RunProgram(const Home &home)
{
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        ReportCreationFailure({QStringLiteral("数据库驱动不可用：") + kDriver, true});
        return 1;
    }
    std::unique_ptr<TDm> dm;
    std::unique_ptr<TMainFrm> window;
    try {
        dm = std::make_unique<TDm>();
        window = std::make_unique<TMainFrm>(*dm, home);
        if (!window->Initialize())
            return 1;
    } catch (const StoreError &e) {
        ReportCreationFailure({e.message(), e.message().contains(QLatin1String("Error creating object"))});
        return 1;
    } catch (const std::exception &e) {
        ReportCreationFailure({QString::fromLocal8Bit(e.what()), false});
        return 1;
    }
    window->show();
    return QApplication::exec();
}

QString HomeOption(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--home"));
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}
