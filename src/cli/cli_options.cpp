#include "cli_options.h"

bool CliOptions::parse(const QStringList &args, const QSet<QString> &valueOptions, const QSet<QString> &flagOptions)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        // "--name" or the one-letter form "-o"
        const bool longOption = arg.startsWith(QLatin1String("--")) && arg.size() > 2;
        const bool shortOption = arg.size() == 2 && arg[0] == QLatin1Char('-') && arg[1].isLetter();
        if (!longOption && !shortOption) {
            positional << arg;
            continue;
        }
        const QString name = arg.mid(longOption ? 2 : 1);
        if (flagOptions.contains(name)) {
            m_flags.insert(name);
        } else if (valueOptions.contains(name)) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("选项 %1 缺少参数").arg(arg);
                return false;
            }
            m_values.insert(name, args[++i]);
        } else {
            error = QStringLiteral("未知选项：%1").arg(arg);
            return false;
        }
    }
    return true;
}
