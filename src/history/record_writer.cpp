// Torvi: the worker that writes the history lines and the log records.
#include "history/record_writer.h"

#include <utility>

namespace torvi {

RecordWriter::RecordWriter(NavigationLog &log, HistoryFile &history)
    : m_log(log), m_history(history), m_worker([this] { run(); })
{}

RecordWriter::~RecordWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void RecordWriter::WriteHistoryXml(const std::string &address, bool &downloadPending)
{
    const bool flag = std::exchange(downloadPending, false);
    queue({{address, m_log.now(), flag}, false, {}, {}});
}

void RecordWriter::AddCronologia(const std::string &address, const std::string &dateTime,
                                 const std::string &title)
{
    queue({{address, {}, false}, true, dateTime, title});
}

void RecordWriter::queue(Record record)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(record));
    }
    m_changed.notify_all();
}

std::vector<std::string> RecordWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_writing; });
    return std::exchange(m_failures, {});
}

// Takes everything queued at once and writes it outside the lock, so a caller queueing the
// next record never waits for the disk, and a slow disk gets fewer, larger writes rather
// than a growing queue. Ends only on an empty queue.
void RecordWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
        if (m_queue.empty())
            return;
        const std::vector<Record> records = std::exchange(m_queue, {});
        m_writing = true;
        lock.unlock();
        write(records);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}

// In order; log records next to each other go in one write. A failure loses only its own
// records, and is kept for finish().
void RecordWriter::write(const std::vector<Record> &records)
{
    std::vector<std::string> failures;
    std::vector<LogEntry> entries;
    const auto flushLog = [&] {
        if (entries.empty())
            return;
        if (const Status written = m_log.appendRecords(entries); !written)
            failures.push_back(written.error());
        entries.clear();
    };
    for (const Record &record : records) {
        if (!record.history) {
            entries.push_back(record.log);
            continue;
        }
        flushLog();
        if (const Status written =
                m_history.AddCronologia(record.log.address, record.dateTime, record.title);
            !written)
            failures.push_back(written.error());
    }
    flushLog();
    const std::lock_guard lock(m_mutex);
    m_failures.insert(m_failures.end(), failures.begin(), failures.end());
}

} // namespace torvi
