#pragma once

#include <QString>

// The folder that holds the program's data: Data.db, images/, desc/ and settings/.
// Core code never guesses it; it is resolved once by the programs and passed in.
class Home
{
public:
    Home() = default;
    explicit Home(const QString &root);

    // The folder beside the executable when it is writable, else the per-user data folder.
    // An explicit folder (the --home option) wins over both.
    static Home resolve(const QString &explicitRoot = QString());

    QString root() const { return m_root; }
    QString databasePath() const;
    QString imagesDir() const;
    QString descDir() const;
    QString settingsDir() const;

    // Creates the root folder when missing; false when that fails.
    bool ensureRoot(QString *error = nullptr) const;
    bool isValid() const { return !m_root.isEmpty(); }

private:
    QString m_root;
};
