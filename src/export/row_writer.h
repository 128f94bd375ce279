#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

// Builds the line of one exported row: every column's field in file order, TAB-separated
// and ended by CR LF, copying the pictures and description files the row names.
class RowWriter
{
public:
    struct Settings
    {
        int format = 0;
        bool exportPictures = false; // with a destination folder
        QString pictureDir;
        QString pictureSource;
        QString descriptionDir;      // Paipai description files: the picture folder or the CSV's own folder
    };

    explicit RowWriter(const Settings &settings);

    // The columns in file order and the select list of those the table has.
    const QStringList &fileColumns() const { return m_fileColumns; }
    QString selectList() const;

    // The line of the row the query stands on; false with the read error's message when a
    // Taobao description file exists but cannot be read.
    bool line(const QSqlQuery &row, QString &text, QString &error) const;

private:
    enum class Kind { Number, Text, Missing, TaobaoDescription, TaobaoPictures, PaipaiPicture, PaipaiDescription,
                      PaipaiVersion };
    struct Column
    {
        Kind kind;
        int queryIndex; // -1 when the table lacks the column
    };

    Kind kindOf(const QString &name, bool numeric) const;
    QString pictureField(const QString &value) const;
    QString taobaoPicturesField(const QString &value) const;
    QString paipaiDescriptionField(const QString &value) const;

    Settings m_settings;
    QStringList m_fileColumns;
    QStringList m_selected;
    QVector<Column> m_columns;
};
