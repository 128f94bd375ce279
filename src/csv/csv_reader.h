#pragma once

#include <QString>

class ProgressSink;

// Receives a shop file's records field by field, in file order.
// Any operation may fail; the reader then stops and reports the row number.
class CsvConsumer
{
public:
    virtual ~CsvConsumer() = default;
    // Before the first field of every record: close the previous record, open a new one.
    virtual bool beginRecord(QString &error) = 0;
    // One field: column is the index into the layout's columns (ShopLayout::columns);
    // indexes at and beyond its size are extra fields past the header's columns.
    // rawText still carries its quotes.
    virtual bool putField(int column, const QString &rawText, QString &error) = 0;
    // After every line that was split, complete record or not.
    virtual bool afterLine(QString &error) = 0;
    // Once after the last line: close the open record.
    virtual bool endOfFile(QString &error) = 0;
};

// Reads one shop file and hands its records to a consumer.
class CsvReader
{
public:
    // formatCode: 1 (Taobao: becomes 2 for a 5.x file) or 3 (Paipai) on entry; the recognised layout on exit.
    // On failure, error holds the full message to show the user (the path, the row number, the reason).
    bool read(const QString &path, int &formatCode, CsvConsumer &consumer, ProgressSink *progress, QString &error);

    // The number of records begun so far (header lines not counted).
    qint64 rowNumber() const { return m_rowNumber; }

private:
    qint64 m_rowNumber = 0;
};

// The message of a failure while the records of a file are read or stored.
QString CsvRowFailureMessage(const QString &path, qint64 row, const QString &reason);

// Which layout a file's first line shows: 3 when it names 商品名称 and 版本, else 1.
// 0 when the file cannot be read.
int DetectFormatOfFile(const QString &path);
