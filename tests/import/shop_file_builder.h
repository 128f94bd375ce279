#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Builds small shop files for tests: the header of a layout and records given as
// column -> raw field text (quotes included where the test wants them).
class ShopFileBuilder
{
public:
    enum Kind { Taobao4, Taobao5, Paipai };
    explicit ShopFileBuilder(Kind kind);

    ShopFileBuilder &row(const QMap<QString, QString> &fields);
    QString text() const;
    // Writes the file as UTF-16LE with FF FE; false when it cannot be written.
    bool write(const QString &path) const;

private:
    Kind m_kind;
    QStringList m_columns;
    QStringList m_lines;
};
