// The player history on disk: one SQLite file (WAL journal, synchronous=NORMAL) with a row
// per server and minute. The schema's version is in PRAGMA user_version; each step up runs
// in one transaction with its version bump, so a file is always at one version.
//
// Every call returns what happened instead of throwing: the program runs on without its
// history whatever the file does. A file that SQLite finds damaged, opened for writing, is
// moved aside to "<file>.bad" and a new one started.
#pragma once

#include "history/MinuteRow.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class HistoryStore {
public:
    enum class Result { Ok, Corrupt, Busy, ReadOnly, Full, Newer, Missing, Failed };
    static constexpr int schemaVersion = 1;
    // The minutes a history keeps.
    static constexpr std::int64_t keptSeconds = 90LL * 24 * 3600;

    HistoryStore() = default;
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // For the program: opens the file, making it when missing, checks it and brings its
    // schema up to date. A damaged file is moved aside first (movedAside() then says so).
    Result open(const std::string& path);
    // For readers: opens an existing file without changing it (Missing when there is none).
    Result openToRead(const std::string& path);
    void close();
    bool isOpen() const { return db != nullptr; }
    bool movedAside() const { return wasMovedAside; }
    // SQLite's words for the last failure.
    const std::string& problem() const { return lastProblem; }

    // The rows in one transaction; a row for a minute already stored is merged with it (a
    // restart within a minute).
    Result write(const std::vector<MinuteRow>& rows);
    // Removes the minutes that began before `before`.
    Result prune(std::int64_t before);
    // The server's stored minutes in [from, to) in buckets of `size` seconds (aligned to
    // multiples of it), oldest first; buckets without a stored minute are left out.
    Result buckets(const std::string& server, std::int64_t from, std::int64_t to, int size,
                   std::vector<HistoryBucket>& out);

    static const char* describe(Result result);

private:
    Result openFile(const std::string& path, int flags);
    Result check();
    Result readVersion(int& version);
    Result migrate();
    Result prepare();
    Result execute(const char* sql);
    Result fail(int code);
    Result serverId(const std::string& server, bool add, std::int64_t& id);
    void moveAside(const std::string& path);

    sqlite3* db = nullptr;
    // Kept from open to close; finalized before the connection closes.
    sqlite3_stmt* insertMinute = nullptr;
    sqlite3_stmt* addServer = nullptr;
    sqlite3_stmt* findServer = nullptr;
    sqlite3_stmt* selectBuckets = nullptr;
    sqlite3_stmt* deleteBefore = nullptr;
    std::map<std::string, std::int64_t> serverIds;
    std::string lastProblem;
    bool wasMovedAside = false;
};
