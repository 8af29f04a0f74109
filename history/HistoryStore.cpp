#include "history/HistoryStore.h"

#include "os/FileSystem.h"

#include <sqlite3.h>

namespace {

// Version 1: the servers by address, and their minutes keyed by server and minute without a
// rowid (the key is the row's place: about 30 bytes a minute). The view shows them readably.
const char* const schemaV1 = R"sql(
CREATE TABLE minutes(
    server INTEGER NOT NULL,
    minute INTEGER NOT NULL,
    lowest INTEGER,
    highest INTEGER,
    mean REAL,
    bots INTEGER,
    max_players INTEGER,
    answered INTEGER NOT NULL,
    PRIMARY KEY (server, minute)
) WITHOUT ROWID;
CREATE TABLE servers(id INTEGER PRIMARY KEY, address TEXT NOT NULL UNIQUE);
CREATE VIEW history AS
    SELECT servers.address AS server, datetime(minute, 'unixepoch') AS utc, minute, lowest, highest, mean, bots,
           max_players, answered
    FROM minutes JOIN servers ON servers.id = minutes.server;
PRAGMA user_version = 1;
)sql";

// A minute stored already (the program ended and started again within it) takes the new
// cycles in: NULL counts stand for "no answer" and give way to any number.
const char* const insertSql = R"sql(
INSERT INTO minutes(server, minute, lowest, highest, mean, bots, max_players, answered)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)
ON CONFLICT(server, minute) DO UPDATE SET
    lowest = min(coalesce(lowest, excluded.lowest), coalesce(excluded.lowest, lowest)),
    highest = max(coalesce(highest, excluded.highest), coalesce(excluded.highest, highest)),
    mean = CASE WHEN answered + excluded.answered > 0
                THEN (coalesce(mean, 0) * answered + coalesce(excluded.mean, 0) * excluded.answered)
                     / (answered + excluded.answered) END,
    bots = max(coalesce(bots, excluded.bots), coalesce(excluded.bots, bots)),
    max_players = max(coalesce(max_players, excluded.max_players), coalesce(excluded.max_players, max_players)),
    answered = answered + excluded.answered
)sql";

const char* const bucketsSql = R"sql(
SELECT minute / ?1 * ?1 AS start, min(lowest), max(highest), sum(mean * answered), sum(answered), max(max_players),
       count(*)
FROM minutes WHERE server = ?2 AND minute >= ?3 AND minute < ?4
GROUP BY start ORDER BY start
)sql";

HistoryStore::Result classify(int code)
{
    switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return HistoryStore::Result::Ok;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return HistoryStore::Result::Corrupt;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return HistoryStore::Result::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM: return HistoryStore::Result::ReadOnly;
    case SQLITE_FULL: return HistoryStore::Result::Full;
    default: return HistoryStore::Result::Failed;
    }
}

int columnOr(sqlite3_stmt* statement, int column, int none)
{
    return sqlite3_column_type(statement, column) == SQLITE_NULL ? none : sqlite3_column_int(statement, column);
}

void bindCount(sqlite3_stmt* statement, int index, int value)
{
    if (value < 0)
        sqlite3_bind_null(statement, index);
    else
        sqlite3_bind_int(statement, index, value);
}

} // namespace

HistoryStore::~HistoryStore() { close(); }

const char* HistoryStore::describe(Result result)
{
    switch (result) {
    case Result::Ok: return "ok";
    case Result::Corrupt: return "the file is damaged";
    case Result::Busy: return "another program holds it locked";
    case Result::ReadOnly: return "it cannot be written";
    case Result::Full: return "the disk is full";
    case Result::Newer: return "a newer version of the program wrote it";
    case Result::Missing: return "there is no history yet";
    case Result::Failed: break;
    }
    return "it cannot be used";
}

void HistoryStore::close()
{
    for (sqlite3_stmt** statement : {&insertMinute, &addServer, &findServer, &selectBuckets, &deleteBefore}) {
        sqlite3_finalize(*statement);
        *statement = nullptr;
    }
    serverIds.clear();
    if (db)
        sqlite3_close(db);
    db = nullptr;
}

HistoryStore::Result HistoryStore::fail(int code)
{
    lastProblem = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return classify(code);
}

HistoryStore::Result HistoryStore::openFile(const std::string& path, int flags)
{
    close();
    const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (code != SQLITE_OK) {
        const Result result = fail(code);
        close();
        return result;
    }
    sqlite3_extended_result_codes(db, 0);
    // Another program's short write is waited out here, on the history's own thread.
    sqlite3_busy_timeout(db, 250);
    return Result::Ok;
}

HistoryStore::Result HistoryStore::execute(const char* sql)
{
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? Result::Ok : fail(code);
}

// quick_check skips the indexes' agreement with their tables, which a history can live
// without; anything but "ok" counts as damage.
HistoryStore::Result HistoryStore::check()
{
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &statement, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_step(statement);
    Result result = Result::Ok;
    if (code == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        if (!text || std::string(reinterpret_cast<const char*>(text)) != "ok") {
            lastProblem = text ? reinterpret_cast<const char*>(text) : "quick_check failed";
            result = Result::Corrupt;
        }
    } else {
        result = fail(code);
    }
    sqlite3_finalize(statement);
    return result;
}

HistoryStore::Result HistoryStore::readVersion(int& version)
{
    sqlite3_stmt* statement = nullptr;
    version = -1;
    int code = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr);
    if (code == SQLITE_OK && (code = sqlite3_step(statement)) == SQLITE_ROW)
        version = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return version < 0 ? fail(code) : version > schemaVersion ? Result::Newer : Result::Ok;
}

// Each step up runs with its version bump in one transaction; the version is read again
// inside it, since another copy of the program may have taken the step meanwhile.
HistoryStore::Result HistoryStore::migrate()
{
    int version = 0;
    if (Result result = readVersion(version); result != Result::Ok || version == schemaVersion)
        return result;
    if (Result result = execute("BEGIN IMMEDIATE"); result != Result::Ok)
        return result;
    Result result = readVersion(version);
    if (result == Result::Ok && version == 0)
        result = execute(schemaV1);
    if (result == Result::Ok)
        result = execute("COMMIT");
    if (result != Result::Ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return result;
}

HistoryStore::Result HistoryStore::prepare()
{
    const std::pair<sqlite3_stmt**, const char*> statements[] = {
        {&insertMinute, insertSql},
        {&addServer, "INSERT OR IGNORE INTO servers(address) VALUES (?1)"},
        {&findServer, "SELECT id FROM servers WHERE address = ?1"},
        {&selectBuckets, bucketsSql},
        {&deleteBefore, "DELETE FROM minutes WHERE minute < ?1"},
    };
    for (const auto& [statement, sql] : statements) {
        const int code = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr);
        if (code != SQLITE_OK)
            return fail(code);
    }
    return Result::Ok;
}

void HistoryStore::moveAside(const std::string& path)
{
    close();
    os::replaceFile(path, path + ".bad");
    os::deleteFile(path + "-wal");
    os::deleteFile(path + "-shm");
    wasMovedAside = true;
}

HistoryStore::Result HistoryStore::open(const std::string& path)
{
    wasMovedAside = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        Result result = openFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (result == Result::Ok)
            result = check();
        if (result == Result::Ok && sqlite3_db_readonly(db, "main") == 1)
            result = Result::ReadOnly;
        if (result == Result::Ok)
            result = execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        if (result == Result::Ok)
            result = migrate();
        if (result == Result::Ok)
            result = prepare();
        if (result == Result::Corrupt && attempt == 0) {
            moveAside(path);
            continue;
        }
        if (result != Result::Ok)
            close();
        return result;
    }
    return Result::Corrupt;
}

HistoryStore::Result HistoryStore::openToRead(const std::string& path)
{
    if (!os::pathExists(path))
        return Result::Missing;
    Result result = openFile(path, SQLITE_OPEN_READONLY);
    int version = 0;
    if (result == Result::Ok && (result = readVersion(version)) == Result::Ok && version == 0)
        result = Result::Missing;
    int code = SQLITE_OK;
    if (result == Result::Ok) {
        for (const auto& [statement, sql] : {std::pair{&findServer, "SELECT id FROM servers WHERE address = ?1"},
                                             std::pair{&selectBuckets, bucketsSql}}) {
            if ((code = sqlite3_prepare_v2(db, sql, -1, statement, nullptr)) != SQLITE_OK) {
                result = fail(code);
                break;
            }
        }
    }
    if (result != Result::Ok)
        close();
    return result;
}

HistoryStore::Result HistoryStore::serverId(const std::string& server, bool add, std::int64_t& id)
{
    if (const auto known = serverIds.find(server); known != serverIds.end()) {
        id = known->second;
        return Result::Ok;
    }
    if (add) {
        sqlite3_bind_text(addServer, 1, server.c_str(), static_cast<int>(server.size()), SQLITE_TRANSIENT);
        const int code = sqlite3_step(addServer);
        sqlite3_reset(addServer);
        if (code != SQLITE_DONE)
            return fail(code);
    }
    sqlite3_bind_text(findServer, 1, server.c_str(), static_cast<int>(server.size()), SQLITE_TRANSIENT);
    const int code = sqlite3_step(findServer);
    id = code == SQLITE_ROW ? sqlite3_column_int64(findServer, 0) : -1;
    sqlite3_reset(findServer);
    if (code != SQLITE_ROW && code != SQLITE_DONE)
        return fail(code);
    if (id >= 0)
        serverIds[server] = id;
    return Result::Ok;
}

HistoryStore::Result HistoryStore::write(const std::vector<MinuteRow>& rows)
{
    if (!insertMinute)
        return Result::Failed;
    if (rows.empty())
        return Result::Ok;
    if (Result result = execute("BEGIN IMMEDIATE"); result != Result::Ok)
        return result;
    Result result = Result::Ok;
    for (const MinuteRow& row : rows) {
        std::int64_t id = -1;
        if ((result = serverId(row.server, true, id)) != Result::Ok)
            break;
        sqlite3_bind_int64(insertMinute, 1, id);
        sqlite3_bind_int64(insertMinute, 2, row.minute);
        bindCount(insertMinute, 3, row.answered ? row.lowest : -1);
        bindCount(insertMinute, 4, row.answered ? row.highest : -1);
        if (row.answered)
            sqlite3_bind_double(insertMinute, 5, row.mean);
        else
            sqlite3_bind_null(insertMinute, 5);
        bindCount(insertMinute, 6, row.answered ? row.bots : -1);
        bindCount(insertMinute, 7, row.answered ? row.maxPlayers : -1);
        sqlite3_bind_int(insertMinute, 8, row.answered);
        const int code = sqlite3_step(insertMinute);
        sqlite3_reset(insertMinute);
        if (code != SQLITE_DONE) {
            result = fail(code);
            break;
        }
    }
    if (result == Result::Ok)
        result = execute("COMMIT");
    if (result != Result::Ok) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        serverIds.clear(); // an id added in the rolled-back transaction is gone again
    }
    return result;
}

HistoryStore::Result HistoryStore::prune(std::int64_t before)
{
    if (!deleteBefore)
        return Result::Failed;
    sqlite3_bind_int64(deleteBefore, 1, before);
    const int code = sqlite3_step(deleteBefore);
    sqlite3_reset(deleteBefore);
    return code == SQLITE_DONE ? Result::Ok : fail(code);
}

HistoryStore::Result HistoryStore::buckets(const std::string& server, std::int64_t from, std::int64_t to, int size,
                                           std::vector<HistoryBucket>& out)
{
    out.clear();
    if (!selectBuckets || size <= 0)
        return Result::Failed;
    std::int64_t id = -1;
    if (Result result = serverId(server, false, id); result != Result::Ok || id < 0)
        return result;
    sqlite3_bind_int(selectBuckets, 1, size);
    sqlite3_bind_int64(selectBuckets, 2, id);
    sqlite3_bind_int64(selectBuckets, 3, from);
    sqlite3_bind_int64(selectBuckets, 4, to);
    int code;
    while ((code = sqlite3_step(selectBuckets)) == SQLITE_ROW) {
        HistoryBucket bucket;
        bucket.start = sqlite3_column_int64(selectBuckets, 0);
        bucket.lowest = columnOr(selectBuckets, 1, -1);
        bucket.highest = columnOr(selectBuckets, 2, -1);
        bucket.answered = columnOr(selectBuckets, 4, 0);
        bucket.mean = bucket.answered > 0 ? sqlite3_column_double(selectBuckets, 3) / bucket.answered : 0.0;
        bucket.maxPlayers = columnOr(selectBuckets, 5, -1);
        bucket.minutes = sqlite3_column_int(selectBuckets, 6);
        out.push_back(bucket);
    }
    sqlite3_reset(selectBuckets);
    return code == SQLITE_DONE ? Result::Ok : fail(code);
}
