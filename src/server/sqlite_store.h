// The world table in one SQLite file (WAL, synchronous=FULL: a committed run survives a kill
// or a power cut). One connection, one writer at a time, as SQLite itself allows. Runs sent at
// the same moment are committed together: the first waiting submission writes every queued
// one in one transaction, so one disk flush serves them all, and each answer waits for it.
#pragma once

#include <condition_variable>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/store.h"

struct sqlite3;

namespace vantrell::server {

class SqliteStore : public Store {
  public:
    // Opens or creates the file (":memory:" for a database that lives in memory) and migrates it.
    explicit SqliteStore(const std::string& path);
    ~SqliteStore() override;

    std::optional<int64_t> AddPlayer(const std::string& name,
                                     const std::optional<Sha256Digest>& keyHash,
                                     int64_t when) override;
    std::optional<Player> PlayerByKey(const Sha256Digest& keyHash) override;
    std::optional<Player> PlayerByName(const std::string& name) override;
    SubmitResult Submit(const NewRun& run) override;
    void Seed(const NewRun& run) override;
    int64_t BoardSize(const Sha256Digest& course) override;
    std::vector<BoardRun> Board(const Sha256Digest& course, int64_t offset, int64_t limit) override;
    std::optional<BoardRun> RunOf(const Sha256Digest& course, int64_t playerId) override;
    std::optional<std::vector<uint8_t>> RunFileBytes(int64_t id) override;
    bool RemoveRun(int64_t id) override;
    bool RemovePlayer(const std::string& name) override;
    bool ReplaceKey(const std::string& name, const Sha256Digest& keyHash) override;
    bool Healthy() override;

    // Copies the database, while it serves, into `target` (a new file), page by page through
    // SQLite's online backup; the copy is whole as of one moment. Throws with the reason.
    void Backup(const std::filesystem::path& target);
    // PRAGMA integrity_check's answer: "ok" for a sound file.
    std::string IntegrityCheck();

  private:
    struct Queued;
    void Migrate();
    // The rules of one submission, inside the open transaction.
    SubmitResult SubmitInTransaction(const NewRun& run);
    void CommitQueued();

    std::mutex mutex_;  // the writing connection
    sqlite3* db_ = nullptr;
    // The reading connection; the same as db_ for a database in memory, and then readMutex_
    // alone does not keep it to one thread: SQLite's own mutex (FULLMUTEX) does.
    std::mutex readMutex_;
    sqlite3* reader_ = nullptr;
    std::mutex queueMutex_;
    std::condition_variable committed_;
    std::vector<Queued*> queue_;
    bool writing_ = false;
};

}  // namespace vantrell::server
