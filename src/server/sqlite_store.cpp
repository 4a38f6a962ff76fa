#include "server/sqlite_store.h"

#include <sqlite3.h>

#include <span>
#include <utility>

namespace vantrell::server {

namespace {

// A prepared statement whose every value is bound, never spliced into the text.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            throw StoreUnavailable(std::string("sqlite: ") + sqlite3_errmsg(db));
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int i, int64_t value) {
        Check(sqlite3_bind_int64(stmt_, i, value));
        return *this;
    }
    Statement& Bind(int i, std::span<const uint8_t> bytes) {
        Check(sqlite3_bind_blob(stmt_, i, bytes.data(), static_cast<int>(bytes.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& Bind(int i, const std::string& bytes) {
        return Bind(i, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
    Statement& BindNull(int i) {
        Check(sqlite3_bind_null(stmt_, i));
        return *this;
    }
    // True while a row is there to read.
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc == SQLITE_DONE) {
            return false;
        }
        if (rc == SQLITE_CONSTRAINT) {
            throw Constraint();
        }
        throw StoreUnavailable(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }
    void Run() { Step(); }
    int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Bytes(int column) const {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return std::string(data ? data : "",
                           static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
    }

    struct Constraint {};

  private:
    void Check(int rc) {
        if (rc != SQLITE_OK) {
            throw StoreUnavailable(std::string("sqlite: ") + sqlite3_errmsg(db_));
        }
    }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string why = error ? error : "unknown error";
        sqlite3_free(error);
        throw StoreUnavailable("sqlite: " + why);
    }
}

// BEGIN IMMEDIATE takes the write lock at once, so a transaction that reads before it writes
// cannot be overtaken by another process's write in between.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) { Exec(db, "BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!done_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    void Commit() {
        Exec(db_, "COMMIT");
        done_ = true;
    }

  private:
    sqlite3* db_;
    bool done_ = false;
};

const char* const kSchema[] = {
    // Version 1.
    "CREATE TABLE players ("
    " id INTEGER PRIMARY KEY,"
    " name BLOB NOT NULL UNIQUE,"
    " key_hash BLOB UNIQUE,"
    " created INTEGER NOT NULL);"
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY,"
    " course BLOB NOT NULL,"
    " player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,"
    " slot INTEGER NOT NULL,"
    " time INTEGER NOT NULL,"
    " inputs BLOB NOT NULL,"
    " file BLOB NOT NULL,"
    " created INTEGER NOT NULL,"
    " UNIQUE (course, player_id, slot),"
    " UNIQUE (course, inputs));"
    "CREATE INDEX runs_board ON runs (course, time, id);",
};

}  // namespace

SqliteStore::SqliteStore(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw StoreUnavailable(path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 10000);
    try {
        Exec(db_, "PRAGMA journal_mode=WAL");
        Exec(db_, "PRAGMA synchronous=FULL");
        Exec(db_, "PRAGMA foreign_keys=ON");
        Migrate();
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
    // Readers of a file go by a connection of their own: in WAL they never wait for the
    // writer's commit and its flush. A database in memory has only the one connection.
    reader_ = db_;
    if (path != ":memory:" &&
        sqlite3_open_v2(path.c_str(), &reader_, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX,
                        nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(reader_, 10000);
    } else {
        if (reader_ != db_) {
            sqlite3_close(reader_);
        }
        reader_ = db_;
    }
}

SqliteStore::~SqliteStore() {
    if (reader_ != db_) {
        sqlite3_close(reader_);
    }
    sqlite3_close(db_);
}

void SqliteStore::Migrate() {
    Transaction transaction(db_);
    Exec(db_, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
    Statement read(db_, "SELECT version FROM schema_version");
    int64_t version = read.Step() ? read.Int(0) : 0;
    if (version > kSchemaVersion) {
        throw StoreUnavailable("the database has schema version " + std::to_string(version) +
                               ", newer than this server's " + std::to_string(kSchemaVersion) +
                               "; run a newer vantrell-server");
    }
    const bool fresh = version == 0;
    for (; version < kSchemaVersion; ++version) {
        Exec(db_, kSchema[version]);
    }
    Statement write(db_, fresh ? "INSERT INTO schema_version (version) VALUES (?)"
                               : "UPDATE schema_version SET version = ?");
    write.Bind(1, kSchemaVersion).Run();
    transaction.Commit();
}

std::optional<int64_t> SqliteStore::AddPlayer(const std::string& name,
                                              const std::optional<Sha256Digest>& keyHash,
                                              int64_t when) {
    std::lock_guard lock(mutex_);
    Statement insert(db_, "INSERT INTO players (name, key_hash, created) VALUES (?, ?, ?)");
    insert.Bind(1, name).Bind(3, when);
    if (keyHash) {
        insert.Bind(2, *keyHash);
    } else {
        insert.BindNull(2);
    }
    try {
        insert.Run();
    } catch (const Statement::Constraint&) {
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(db_);
}

std::optional<Player> SqliteStore::PlayerByKey(const Sha256Digest& keyHash) {
    std::lock_guard lock(readMutex_);
    Statement read(reader_, "SELECT id, name FROM players WHERE key_hash = ?");
    read.Bind(1, keyHash);
    if (!read.Step()) {
        return std::nullopt;
    }
    return Player{read.Int(0), read.Bytes(1)};
}

std::optional<Player> SqliteStore::PlayerByName(const std::string& name) {
    std::lock_guard lock(readMutex_);
    Statement read(reader_, "SELECT id, name FROM players WHERE name = ?");
    read.Bind(1, name);
    if (!read.Step()) {
        return std::nullopt;
    }
    return Player{read.Int(0), read.Bytes(1)};
}

struct SqliteStore::Queued {
    const NewRun* run = nullptr;
    SubmitResult result;
    std::exception_ptr failure;
    bool done = false;
};

SubmitResult SqliteStore::Submit(const NewRun& run) {
    Queued queued;
    queued.run = &run;
    std::unique_lock lock(queueMutex_);
    queue_.push_back(&queued);
    while (!queued.done) {
        if (!writing_) {
            writing_ = true;
            lock.unlock();
            CommitQueued();
            lock.lock();
            writing_ = false;
            committed_.notify_all();
        } else {
            committed_.wait(lock);
        }
    }
    if (queued.failure) {
        std::rethrow_exception(queued.failure);
    }
    return queued.result;
}

void SqliteStore::CommitQueued() {
    std::vector<Queued*> batch;
    {
        std::lock_guard lock(queueMutex_);
        batch.swap(queue_);
    }
    std::exception_ptr failure;
    try {
        std::lock_guard lock(mutex_);
        Transaction transaction(db_);
        for (Queued* queued : batch) {
            queued->result = SubmitInTransaction(*queued->run);
        }
        transaction.Commit();
    } catch (...) {
        failure = std::current_exception();  // nothing of the batch was kept
    }
    std::lock_guard lock(queueMutex_);
    for (Queued* queued : batch) {
        queued->failure = failure;
        queued->done = true;
    }
}

SubmitResult SqliteStore::SubmitInTransaction(const NewRun& run) {
    SubmitResult result;
    Statement best(db_,
                   "SELECT id, time FROM runs WHERE course = ? AND player_id = ? AND slot = ?");
    best.Bind(1, run.course).Bind(2, run.playerId).Bind(3, run.slot);
    const bool hasBest = best.Step();
    if (hasBest && best.Int(1) <= run.time) {
        result.outcome = SubmitOutcome::NotFaster;
        result.bestTime = static_cast<int32_t>(best.Int(1));
        return result;
    }
    Statement copy(db_, "SELECT 1 FROM runs WHERE course = ? AND inputs = ?");
    copy.Bind(1, run.course).Bind(2, run.inputs);
    if (copy.Step()) {
        result.outcome = SubmitOutcome::Duplicate;
        return result;
    }
    if (hasBest) {
        Statement remove(db_, "DELETE FROM runs WHERE id = ?");
        remove.Bind(1, best.Int(0)).Run();
    }
    Statement insert(db_,
                     "INSERT INTO runs (course, player_id, slot, time, inputs, file, created) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, run.course).Bind(2, run.playerId).Bind(3, run.slot).Bind(4, run.time);
    insert.Bind(5, run.inputs).Bind(6, run.file).Bind(7, run.when).Run();
    result.id = sqlite3_last_insert_rowid(db_);
    Statement rank(db_,
                   "SELECT COUNT(*) FROM runs WHERE course = ? AND (time < ? OR (time = ? AND "
                   "id < ?))");
    rank.Bind(1, run.course).Bind(2, run.time).Bind(3, run.time).Bind(4, result.id).Step();
    result.rank = rank.Int(0) + 1;
    return result;
}

void SqliteStore::Seed(const NewRun& run) {
    std::lock_guard lock(mutex_);
    Statement insert(db_,
                     "INSERT OR IGNORE INTO runs (course, player_id, slot, time, inputs, file, "
                     "created) VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, run.course).Bind(2, run.playerId).Bind(3, run.slot).Bind(4, run.time);
    insert.Bind(5, run.inputs).Bind(6, run.file).Bind(7, run.when).Run();
}

int64_t SqliteStore::BoardSize(const Sha256Digest& course) {
    std::lock_guard lock(readMutex_);
    Statement count(reader_, "SELECT COUNT(*) FROM runs WHERE course = ?");
    count.Bind(1, course).Step();
    return count.Int(0);
}

std::vector<BoardRun> SqliteStore::Board(const Sha256Digest& course, int64_t offset,
                                         int64_t limit) {
    std::lock_guard lock(readMutex_);
    Statement read(reader_,
                   "SELECT runs.id, players.name, runs.time, runs.created FROM runs JOIN players "
                   "ON players.id = runs.player_id WHERE runs.course = ? "
                   "ORDER BY runs.time, runs.id LIMIT ? OFFSET ?");
    read.Bind(1, course).Bind(2, limit).Bind(3, offset);
    std::vector<BoardRun> runs;
    while (read.Step()) {
        runs.push_back({read.Int(0), offset + static_cast<int64_t>(runs.size()) + 1, read.Bytes(1),
                        static_cast<int32_t>(read.Int(2)), read.Int(3)});
    }
    return runs;
}

std::optional<BoardRun> SqliteStore::RunOf(const Sha256Digest& course, int64_t playerId) {
    std::lock_guard lock(readMutex_);
    Statement read(
        db_,
        "SELECT runs.id, players.name, runs.time, runs.created, (SELECT COUNT(*) FROM runs AS "
        "faster WHERE faster.course = runs.course AND (faster.time < runs.time OR (faster.time = "
        "runs.time AND faster.id < runs.id))) FROM runs JOIN players ON players.id = "
        "runs.player_id WHERE runs.course = ? AND runs.player_id = ? AND runs.slot = 0");
    read.Bind(1, course).Bind(2, playerId);
    if (!read.Step()) {
        return std::nullopt;
    }
    return BoardRun{read.Int(0), read.Int(4) + 1, read.Bytes(1), static_cast<int32_t>(read.Int(2)),
                    read.Int(3)};
}

std::optional<std::vector<uint8_t>> SqliteStore::RunFileBytes(int64_t id) {
    std::lock_guard lock(readMutex_);
    Statement read(reader_, "SELECT file FROM runs WHERE id = ?");
    read.Bind(1, id);
    if (!read.Step()) {
        return std::nullopt;
    }
    const std::string bytes = read.Bytes(0);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool SqliteStore::RemoveRun(int64_t id) {
    std::lock_guard lock(mutex_);
    Statement remove(db_, "DELETE FROM runs WHERE id = ?");
    remove.Bind(1, id).Run();
    return sqlite3_changes(db_) > 0;
}

bool SqliteStore::RemovePlayer(const std::string& name) {
    std::lock_guard lock(mutex_);
    Statement remove(db_, "DELETE FROM players WHERE name = ? AND key_hash IS NOT NULL");
    remove.Bind(1, name).Run();
    return sqlite3_changes(db_) > 0;
}

bool SqliteStore::ReplaceKey(const std::string& name, const Sha256Digest& keyHash) {
    std::lock_guard lock(mutex_);
    Statement update(db_,
                     "UPDATE players SET key_hash = ? WHERE name = ? AND key_hash IS NOT NULL");
    update.Bind(1, keyHash).Bind(2, name).Run();
    return sqlite3_changes(db_) > 0;
}

bool SqliteStore::Healthy() {
    std::lock_guard lock(mutex_);
    try {
        Statement ping(db_, "SELECT 1");
        return ping.Step();
    } catch (const StoreUnavailable&) {
        return false;
    }
}

void SqliteStore::Backup(const std::filesystem::path& target) {
    if (std::filesystem::exists(target)) {
        throw StoreUnavailable(target.string() + ": exists already; give a new file");
    }
    sqlite3* copy = nullptr;
    if (sqlite3_open(target.c_str(), &copy) != SQLITE_OK) {
        std::string why = copy ? sqlite3_errmsg(copy) : "out of memory";
        sqlite3_close(copy);
        throw StoreUnavailable(target.string() + ": " + why);
    }
    sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db_, "main");
    int rc = SQLITE_OK;
    if (backup) {
        // A few pages at a time, so the server's writers are held up only briefly.
        do {
            rc = sqlite3_backup_step(backup, 64);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                sqlite3_sleep(5);
            }
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(backup);
    }
    const int error = sqlite3_errcode(copy);
    const std::string why = sqlite3_errmsg(copy);
    sqlite3_close(copy);
    if (!backup || rc != SQLITE_DONE || error != SQLITE_OK) {
        std::filesystem::remove(target);
        throw StoreUnavailable(target.string() + ": the backup failed: " + why);
    }
}

std::string SqliteStore::IntegrityCheck() {
    std::lock_guard lock(mutex_);
    Statement check(db_, "PRAGMA integrity_check");
    std::string answer;
    while (check.Step()) {
        if (!answer.empty()) {
            answer += '\n';
        }
        answer += check.Bytes(0);
    }
    return answer;
}

}  // namespace vantrell::server
