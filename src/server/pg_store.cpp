#include "server/pg_store.h"

#include <condition_variable>
#include <pqxx/pqxx>

namespace vantrell::server {

namespace {

pqxx::binarystring Blob(std::span<const uint8_t> bytes) {
    return pqxx::binarystring(bytes.data(), bytes.size());
}
pqxx::binarystring Blob(const std::string& bytes) {
    return pqxx::binarystring(bytes.data(), bytes.size());
}
std::string Text(const pqxx::field& field) {
    return pqxx::binarystring(field).str();
}

const char* const kSchema[] = {
    // Version 1.
    "CREATE TABLE players ("
    " id BIGSERIAL PRIMARY KEY,"
    " name BYTEA NOT NULL UNIQUE,"
    " key_hash BYTEA UNIQUE,"
    " created BIGINT NOT NULL);"
    "CREATE TABLE runs ("
    " id BIGSERIAL PRIMARY KEY,"
    " course BYTEA NOT NULL,"
    " player_id BIGINT NOT NULL REFERENCES players(id) ON DELETE CASCADE,"
    " slot INTEGER NOT NULL,"
    " time INTEGER NOT NULL,"
    " inputs BYTEA NOT NULL,"
    " file BYTEA NOT NULL,"
    " created BIGINT NOT NULL,"
    " UNIQUE (course, player_id, slot),"
    " UNIQUE (course, inputs));"
    "CREATE INDEX runs_board ON runs (course, time, id);",
};

// Migrations of several servers starting at once take turns on this lock.
constexpr int64_t kMigrationLock = 0x56414e54;

}  // namespace

// At most this many connections a process, so several servers stay within the database's
// own limit (100 by default); a call waits for a free one.
constexpr int kMaxConnections = 12;

struct PgStore::Pool {
    std::string address;
    std::mutex mutex;
    std::condition_variable freed;
    std::vector<std::unique_ptr<pqxx::connection>> idle;
    int lent = 0;
};

// A connection taken from the idle ones (or made) for one call, given back unless it broke.
class PgStore::Lease {
  public:
    explicit Lease(Pool& pool) : pool_(pool) {
        {
            std::unique_lock lock(pool.mutex);
            pool.freed.wait(lock, [&] { return pool.lent < kMaxConnections; });
            ++pool.lent;
            if (!pool.idle.empty()) {
                connection_ = std::move(pool.idle.back());
                pool.idle.pop_back();
                return;
            }
        }
        try {
            connection_ = std::make_unique<pqxx::connection>(pool.address);
        } catch (...) {
            Release();
            throw;
        }
    }
    ~Lease() { Release(); }
    void Broke() { broken_ = true; }
    void Release() {
        std::lock_guard lock(pool_.mutex);
        if (connection_ && connection_->is_open() && !broken_) {
            pool_.idle.push_back(std::move(connection_));
        } else {
            connection_.reset();
        }
        --pool_.lent;
        pool_.freed.notify_one();
    }
    pqxx::connection& operator*() { return *connection_; }

  private:
    Pool& pool_;
    std::unique_ptr<pqxx::connection> connection_;
    bool broken_ = false;
};

template <typename Work>
auto PgStore::WithConnection(Work&& work) {
    try {
        Lease lease(*pool_);
        try {
            return work(*lease);
        } catch (const pqxx::broken_connection&) {
            lease.Broke();
            throw;
        } catch (const pqxx::sql_error&) {
            // The connection may be in any state after an unexpected error; start afresh.
            lease.Broke();
            throw;
        }
    } catch (const pqxx::failure& error) {
        throw StoreUnavailable(std::string("postgresql: ") + error.what());
    }
}

PgStore::PgStore(std::string address) : pool_(std::make_unique<Pool>()) {
    pool_->address = std::move(address);
    Migrate();
}

PgStore::~PgStore() = default;

void PgStore::Migrate() {
    WithConnection([](pqxx::connection& c) {
        pqxx::work w(c);
        w.exec_params("SELECT pg_advisory_xact_lock($1)", kMigrationLock);
        w.exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        const pqxx::result read = w.exec("SELECT version FROM schema_version");
        int64_t version = read.empty() ? 0 : read[0][0].as<int64_t>();
        if (version > kSchemaVersion) {
            throw StoreUnavailable("the database has schema version " + std::to_string(version) +
                                   ", newer than this server's " + std::to_string(kSchemaVersion) +
                                   "; run a newer vantrell-server");
        }
        const bool fresh = read.empty();
        for (; version < kSchemaVersion; ++version) {
            w.exec(kSchema[version]);
        }
        w.exec_params(fresh ? "INSERT INTO schema_version (version) VALUES ($1)"
                            : "UPDATE schema_version SET version = $1",
                      kSchemaVersion);
        w.commit();
    });
}

std::optional<int64_t> PgStore::AddPlayer(const std::string& name,
                                          const std::optional<Sha256Digest>& keyHash,
                                          int64_t when) {
    return WithConnection([&](pqxx::connection& c) -> std::optional<int64_t> {
        pqxx::work w(c);
        const char* sql =
            "INSERT INTO players (name, key_hash, created) VALUES ($1, $2, $3) "
            "ON CONFLICT DO NOTHING RETURNING id";
        const pqxx::result added = keyHash ? w.exec_params(sql, Blob(name), Blob(*keyHash), when)
                                           : w.exec_params(sql, Blob(name), nullptr, when);
        w.commit();
        if (added.empty()) {
            return std::nullopt;
        }
        return added[0][0].as<int64_t>();
    });
}

std::optional<Player> PgStore::PlayerByKey(const Sha256Digest& keyHash) {
    return WithConnection([&](pqxx::connection& c) -> std::optional<Player> {
        pqxx::read_transaction w(c);
        const pqxx::result r =
            w.exec_params("SELECT id, name FROM players WHERE key_hash = $1", Blob(keyHash));
        if (r.empty()) {
            return std::nullopt;
        }
        return Player{r[0][0].as<int64_t>(), Text(r[0][1])};
    });
}

std::optional<Player> PgStore::PlayerByName(const std::string& name) {
    return WithConnection([&](pqxx::connection& c) -> std::optional<Player> {
        pqxx::read_transaction w(c);
        const pqxx::result r =
            w.exec_params("SELECT id, name FROM players WHERE name = $1", Blob(name));
        if (r.empty()) {
            return std::nullopt;
        }
        return Player{r[0][0].as<int64_t>(), Text(r[0][1])};
    });
}

SubmitResult PgStore::Submit(const NewRun& run) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::work w(c);
        SubmitResult result;
        // One submission of a player at a time, whichever server process takes it.
        w.exec_params("SELECT id FROM players WHERE id = $1 FOR UPDATE", run.playerId);
        const pqxx::result best = w.exec_params(
            "SELECT id, time FROM runs WHERE course = $1 AND player_id = $2 AND slot = $3",
            Blob(run.course), run.playerId, run.slot);
        if (!best.empty() && best[0][1].as<int32_t>() <= run.time) {
            result.outcome = SubmitOutcome::NotFaster;
            result.bestTime = best[0][1].as<int32_t>();
            return result;
        }
        if (!best.empty()) {
            w.exec_params("DELETE FROM runs WHERE id = $1", best[0][0].as<int64_t>());
        }
        // Another player's equal run, even one committed a moment ago by another process,
        // leaves the insert without a row.
        const pqxx::result added = w.exec_params(
            "INSERT INTO runs (course, player_id, slot, time, inputs, file, created) "
            "VALUES ($1, $2, $3, $4, $5, $6, $7) ON CONFLICT (course, inputs) DO NOTHING "
            "RETURNING id",
            Blob(run.course), run.playerId, run.slot, run.time, Blob(run.inputs), Blob(run.file),
            run.when);
        if (added.empty()) {
            result.outcome = SubmitOutcome::Duplicate;
            return result;  // rolled back: the old best stays
        }
        result.id = added[0][0].as<int64_t>();
        result.rank = w.exec_params(
                           "SELECT COUNT(*) FROM runs WHERE course = $1 AND (time < $2 "
                           "OR (time = $2 AND id < $3))",
                           Blob(run.course), run.time, result.id)[0][0]
                          .as<int64_t>() +
                      1;
        w.commit();
        return result;
    });
}

void PgStore::Seed(const NewRun& run) {
    WithConnection([&](pqxx::connection& c) {
        pqxx::work w(c);
        w.exec_params(
            "INSERT INTO runs (course, player_id, slot, time, inputs, file, created) "
            "VALUES ($1, $2, $3, $4, $5, $6, $7) ON CONFLICT DO NOTHING",
            Blob(run.course), run.playerId, run.slot, run.time, Blob(run.inputs), Blob(run.file),
            run.when);
        w.commit();
    });
}

int64_t PgStore::BoardSize(const Sha256Digest& course) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::read_transaction w(c);
        return w.exec_params("SELECT COUNT(*) FROM runs WHERE course = $1", Blob(course))[0][0]
            .as<int64_t>();
    });
}

std::vector<BoardRun> PgStore::Board(const Sha256Digest& course, int64_t offset, int64_t limit) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::read_transaction w(c);
        const pqxx::result r = w.exec_params(
            "SELECT runs.id, players.name, runs.time, runs.created FROM runs JOIN players "
            "ON players.id = runs.player_id WHERE runs.course = $1 "
            "ORDER BY runs.time, runs.id LIMIT $2 OFFSET $3",
            Blob(course), limit, offset);
        std::vector<BoardRun> runs;
        for (const auto& row : r) {
            runs.push_back({row[0].as<int64_t>(), offset + static_cast<int64_t>(runs.size()) + 1,
                            Text(row[1]), row[2].as<int32_t>(), row[3].as<int64_t>()});
        }
        return runs;
    });
}

std::optional<std::vector<uint8_t>> PgStore::RunFileBytes(int64_t id) {
    return WithConnection([&](pqxx::connection& c) -> std::optional<std::vector<uint8_t>> {
        pqxx::read_transaction w(c);
        const pqxx::result r = w.exec_params("SELECT file FROM runs WHERE id = $1", id);
        if (r.empty()) {
            return std::nullopt;
        }
        const std::string bytes = Text(r[0][0]);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    });
}

bool PgStore::RemoveRun(int64_t id) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::work w(c);
        const pqxx::result r = w.exec_params("DELETE FROM runs WHERE id = $1", id);
        w.commit();
        return r.affected_rows() > 0;
    });
}

bool PgStore::RemovePlayer(const std::string& name) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::work w(c);
        const pqxx::result r = w.exec_params(
            "DELETE FROM players WHERE name = $1 AND key_hash IS NOT NULL", Blob(name));
        w.commit();
        return r.affected_rows() > 0;
    });
}

bool PgStore::ReplaceKey(const std::string& name, const Sha256Digest& keyHash) {
    return WithConnection([&](pqxx::connection& c) {
        pqxx::work w(c);
        const pqxx::result r = w.exec_params(
            "UPDATE players SET key_hash = $1 WHERE name = $2 AND key_hash IS NOT NULL",
            Blob(keyHash), Blob(name));
        w.commit();
        return r.affected_rows() > 0;
    });
}

bool PgStore::Healthy() {
    try {
        return WithConnection([](pqxx::connection& c) {
            pqxx::nontransaction w(c);
            return !w.exec("SELECT 1").empty();
        });
    } catch (const StoreUnavailable&) {
        return false;
    }
}

}  // namespace vantrell::server
