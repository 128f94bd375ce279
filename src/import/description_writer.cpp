#include "description_writer.h"

#include "description_store.h"

#include <QDir>

namespace {

// Enough work queued to keep the writer busy, little enough to stay small in memory.
constexpr qint64 kMaxQueuedChars = 8 * 1024 * 1024;
constexpr int kMaxQueuedJobs = 512;

} // namespace

DescriptionWriter::DescriptionWriter(QString storeDir)
    : m_storeDir(std::move(storeDir))
{
}

DescriptionWriter::~DescriptionWriter()
{
    finish();
}

void DescriptionWriter::start()
{
    m_thread = std::thread([this] { work(); });
}

QString DescriptionWriter::submit(const QString &text, qint64 record, QString &error)
{
    if (!m_storeReady) {
        if (!QDir().mkpath(m_storeDir)) {
            error = QStringLiteral("无法创建描述文件目录：") + QDir::toNativeSeparators(m_storeDir);
            return QString();
        }
        m_storeReady = true;
        start();
    }
    const QString path = DescriptionStore::newFilePath(m_storeDir);
    QMutexLocker lock(&m_mutex);
    while (!m_jobs.isEmpty() && (m_jobs.size() >= kMaxQueuedJobs || m_queuedChars > kMaxQueuedChars))
        m_changed.wait(&m_mutex);
    m_jobs.enqueue({path, text, record});
    m_queuedChars += text.size();
    m_changed.wakeAll();
    return path;
}

void DescriptionWriter::work()
{
    for (;;) {
        Job job;
        {
            QMutexLocker lock(&m_mutex);
            while (m_jobs.isEmpty() && !m_closing)
                m_changed.wait(&m_mutex);
            if (m_jobs.isEmpty())
                return;
            job = m_jobs.head();
        }
        QString error;
        DescriptionStore::NewFile result = DescriptionStore::NewFile::Written;
        if (!m_failed.load()) {
            result = DescriptionStore::createFile(job.path, DescriptionStore::fileContent(job.text), error);
            if (result == DescriptionStore::NewFile::Exists)
                error = QStringLiteral("描述文件已存在：") + QDir::toNativeSeparators(job.path);
        }
        QMutexLocker lock(&m_mutex);
        if (result != DescriptionStore::NewFile::Written && !m_failed.load()) {
            m_failedRecord = job.record;
            m_failure = error;
            m_failed.store(true);
        }
        m_jobs.dequeue();
        m_queuedChars -= job.text.size();
        m_doneBelow.store(m_jobs.isEmpty() ? job.record + 1 : m_jobs.head().record);
        m_changed.wakeAll();
    }
}

bool DescriptionWriter::finish()
{
    if (m_thread.joinable()) {
        {
            QMutexLocker lock(&m_mutex);
            m_closing = true;
            m_changed.wakeAll();
        }
        m_thread.join();
    }
    return !m_failed.load();
}
