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
    bool flag = std::exchange(downloadPending, false);
    queue([this, address, flag]() mutable { return m_log.WriteHistoryXml(address, flag); });
}

void RecordWriter::AddCronologia(const std::string &address, const std::string &dateTime,
                                 const std::string &title)
{
    queue([this, address, dateTime, title] {
        return m_history.AddCronologia(address, dateTime, title);
    });
}

void RecordWriter::queue(std::function<Status()> write)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(write));
    }
    m_changed.notify_all();
}

std::vector<std::string> RecordWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_writing; });
    return std::exchange(m_failures, {});
}

// Takes the records one at a time, oldest first, and writes each outside the lock, so a
// caller queueing the next one never waits for the disk. Ends only on an empty queue.
void RecordWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
        if (m_queue.empty())
            return;
        const std::function<Status()> write = std::move(m_queue.front());
        m_queue.pop_front();
        m_writing = true;
        lock.unlock();
        const Status written = write();
        lock.lock();
        m_writing = false;
        if (!written)
            m_failures.push_back(written.error());
        m_changed.notify_all();
    }
}

} // namespace torvi
