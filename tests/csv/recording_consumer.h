#pragma once

#include "base/progress_sink.h"
#include "csv/csv_reader.h"

#include <QStringList>
#include <QVector>

// Records what the reader hands on as a trace: "B" begin record, "column:raw text" per field,
// "L" after line, "E" end of file. It can be told to fail at a given call.
class RecordingConsumer : public CsvConsumer
{
public:
    QStringList trace;
    QString failOn;     // fail when this trace entry is about to be recorded ("B", "E", "2:x"...)
    int failAtRow = 0;  // ... in this record (0: any)
    int rows = 0;

    bool beginRecord(QString &error) override { ++rows; return record(QStringLiteral("B"), error); }
    bool putField(int column, const QString &rawText, QString &error) override
    {
        return record(QString::number(column) + QLatin1Char(':') + rawText, error);
    }
    bool afterLine(QString &error) override { return record(QStringLiteral("L"), error); }
    bool endOfFile(QString &error) override { return record(QStringLiteral("E"), error); }

    // The records' fields only: one "column:text|column:text" entry per record.
    QStringList records() const
    {
        QStringList out;
        for (const QString &e : trace) {
            if (e == QLatin1String("B"))
                out << QString();
            else if (e != QLatin1String("L") && e != QLatin1String("E") && !out.isEmpty())
                out.last() += (out.last().isEmpty() ? QString() : QStringLiteral("|")) + e;
        }
        return out;
    }

private:
    bool record(const QString &entry, QString &error)
    {
        if (!failOn.isEmpty() && entry == failOn && (failAtRow == 0 || failAtRow == rows)) {
            error = QStringLiteral("refused: ") + entry;
            return false;
        }
        trace << entry;
        return true;
    }
};

// Keeps every progress report; cancels once asked cancelAfter times (-1: never).
class RecordingProgress : public ProgressSink
{
public:
    QVector<QPair<qint64, qint64>> positions;
    QStringList labels;
    int cancelAfter = -1;
    mutable int polls = 0;

    void setProgress(qint64 position, qint64 maximum) override { positions << qMakePair(position, maximum); }
    void setLabel(const QString &text) override { labels << text; }
    bool isCancelled() const override { return cancelAfter >= 0 && polls++ >= cancelAfter; }
};
