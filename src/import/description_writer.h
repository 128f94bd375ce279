#pragma once

#include <QMutex>
#include <QQueue>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <thread>

// Writes the description files of an import on a second thread, so that creating thousands
// of small files overlaps with reading and storing the records. The path of each file is
// settled at once (the row stores it); the file is written a moment later. The queue is
// bounded, so memory stays small however large the import.
class DescriptionWriter
{
public:
    explicit DescriptionWriter(QString storeDir);
    ~DescriptionWriter();
    DescriptionWriter(const DescriptionWriter &) = delete;
    DescriptionWriter &operator=(const DescriptionWriter &) = delete;

    // The path the description will have, or an empty string and the reason when the store
    // cannot be made. record: the record it belongs to, reported back on failure.
    QString submit(const QString &text, qint64 record, QString &error);

    // True as soon as a write has failed.
    bool failed() const { return m_failed.load(); }
    // Every record below this one has its files written.
    qint64 doneBelow() const { return m_doneBelow.load(); }

    // Waits for every submitted file. False when one failed: failedRecord and failure tell which and why.
    bool finish();
    qint64 failedRecord() const { return m_failedRecord; }
    QString failure() const { return m_failure; }

private:
    struct Job
    {
        QString path;
        QString text;
        qint64 record;
    };

    void work();
    void start();

    QString m_storeDir;
    bool m_storeReady = false;
    std::thread m_thread;
    QMutex m_mutex;
    QWaitCondition m_changed;
    QQueue<Job> m_jobs;
    qint64 m_queuedChars = 0;
    bool m_closing = false;
    std::atomic<bool> m_failed{false};
    std::atomic<qint64> m_doneBelow{0};
    qint64 m_failedRecord = 0;
    QString m_failure;
};
