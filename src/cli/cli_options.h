#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// Splits a command's arguments into positional ones and "--name value" / "--flag" options.
class CliOptions
{
public:
    // valueOptions take a value; flagOptions do not. Anything else is a usage error.
    bool parse(const QStringList &args, const QSet<QString> &valueOptions, const QSet<QString> &flagOptions);

    QStringList positional;
    QString error;

    bool has(const QString &name) const { return m_values.contains(name) || m_flags.contains(name); }
    QString value(const QString &name, const QString &fallback = QString()) const
    {
        return m_values.value(name, fallback);
    }

    // The position of the option's value among choices (fallback when absent), or -1.
    int choice(const QString &name, const QStringList &choices, const QString &fallback) const
    {
        return int(choices.indexOf(value(name, fallback)));
    }

private:
    QMap<QString, QString> m_values;
    QSet<QString> m_flags;
};
