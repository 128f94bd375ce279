#pragma once

#include "settings/settings_record.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

class QFile;
class IniFile;

enum class SettingsSection { ConnSet, EXPORT, IMPORT, All };

// The settings folder with settings.ini and the list files, and the record they fill.
// Every call reads or writes the file afresh, so hand edits and other running copies are seen.
class Settings
{
public:
    // `folder` is the settings folder (Home::settingsDir()).
    explicit Settings(const QString &folder);
    virtual ~Settings();

    SettingsRecord &record() { return m_record; }
    const SettingsRecord &record() const { return m_record; }

    // Reads the keys of one section into the record (defaults for missing keys); All reads every
    // section and the list files, stopping at the first step that fails. Never creates anything.
    // False when settings.ini or a list file exists but cannot be read.
    bool LoadSettings(SettingsSection section);
    // Writes every key of the section in table order and leaves the rest of the file as it was.
    // The file is replaced as a whole, so a failed save leaves the old file intact. False when
    // the folder cannot be made, settings.ini or its folder is read-only or unreadable, the
    // write fails, or `section` is All.
    bool SaveSettings(SettingsSection section);

    QString SettingsFolder(bool create) const;
    QString SettingsFilePath(bool create) const;
    QString ListFilePath(const QString &fileName) const;

    // Empties `list`, then reads the file at `path` one entry per line. A missing file, or a
    // folder of that name, is no error and leaves the list empty.
    bool LoadListFile(const QString &path, QStringList &list);

    // A list read by LoadSettings(All), by its file name (ListFiles::...).
    QStringList list(const QString &fileName) const { return m_lists.value(fileName); }
    // A value of the sections nothing acts on, as read by LoadSettings(All); names match without
    // regard to case. Integers are int, booleans bool, numbers double, strings QString.
    QVariant inactiveValue(const QString &section, const QString &key) const;

    // The reason of the last failure, for logs.
    QString errorString() const { return m_error; }

protected:
    // Opens a file of the settings folder for reading; the tests replace it to make reads fail.
    virtual bool openForReading(QFile &file);

private:
    bool readSettingsFile(IniFile &ini);
    void readLiveSection(const IniFile &ini, SettingsSection section);
    bool loadAll();
    bool loadListStep(const QString &fileName);
    bool fail(const QString &message);

    QString m_folder;
    SettingsRecord m_record;
    QHash<QString, QStringList> m_lists;
    QHash<QString, QVariant> m_inactive;
    QString m_error;
};
