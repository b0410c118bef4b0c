// Torvi: the one worker that writes the history lines and the log records, so that the window
// asking for them never waits for the disk. The navigation hub and the document handlers hand
// their records over here; the program's end waits for every one of them.
#pragma once

#include "history/history_file.h"
#include "history/navigation_log.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace torvi {

class RecordWriter
{
public:
    RecordWriter(NavigationLog &log, HistoryFile &history);
    // Writes every record still queued before it goes.
    ~RecordWriter();
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // Queue a log record or a history line; they reach the disk in the order asked for. The
    // download flag is read and reset here, at once, as the caller's next record expects,
    // and the record carries the time it was asked for.
    void WriteHistoryXml(const std::string &address, bool &downloadPending);
    void AddCronologia(const std::string &address, const std::string &dateTime,
                       const std::string &title);

    // Waits until every record queued so far is written; answers the failures since the last
    // call. A failed write loses only the records it carried: the queue goes on.
    std::vector<std::string> finish();

private:
    // A log record, or a history line when `history` is set.
    struct Record
    {
        LogEntry log;
        bool history = false;
        std::string dateTime, title;
    };

    void queue(Record record);
    void run();
    void write(const std::vector<Record> &records);

    NavigationLog &m_log;
    HistoryFile &m_history;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Record> m_queue;
    bool m_writing = false; // the worker holds records taken off the queue
    bool m_stopping = false;
    std::vector<std::string> m_failures;
    std::thread m_worker; // last: it starts once everything above is there
};

} // namespace torvi
