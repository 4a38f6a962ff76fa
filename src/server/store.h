// Where the world table keeps its players and runs. Two stores keep the same rules: SQLite in
// one file for a single server, PostgreSQL for several server processes sharing one board.
// Every call is one transaction; a call that returns has committed what it reports.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/sha256.h"

namespace vantrell::server {

// The database cannot be reached or answered with an error that is not the request's fault;
// the server answers 503 and tries again on the next request.
class StoreUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Player {
    int64_t id = 0;
    std::string name;  // Shift-JIS bytes, as a record file keeps them
};

// A run that drove to its time on a course the server knows.
struct NewRun {
    Sha256Digest course{};
    int64_t playerId = 0;
    int32_t slot = 0;  // 0 for a player's best; the staff runs take 0..9 under the staff name
    int32_t time = 0;
    Sha256Digest inputs{};      // digest of the controls the drive used: equal runs, equal digests
    std::vector<uint8_t> file;  // the run file's bytes, handed out as the ghost
    int64_t when = 0;           // Unix seconds
};

enum class SubmitOutcome {
    Stored,     // on the board; `rank` is its place
    NotFaster,  // the player's best on this course is as fast or faster: nothing stored
    Duplicate,  // the same controls are on the board under another name: nothing stored
};

struct SubmitResult {
    SubmitOutcome outcome = SubmitOutcome::Stored;
    int64_t id = 0;
    int64_t rank = 0;
    int32_t bestTime = 0;  // the player's best, when not faster
};

struct BoardRun {
    int64_t id = 0;
    int64_t rank = 0;
    std::string name;  // Shift-JIS bytes
    int32_t time = 0;
    int64_t when = 0;
};

class Store {
  public:
    virtual ~Store() = default;

    // Adds a player; nothing when the name is taken. `keyHash` is empty for the staff name,
    // which no key can drive.
    virtual std::optional<int64_t> AddPlayer(const std::string& name,
                                             const std::optional<Sha256Digest>& keyHash,
                                             int64_t when) = 0;
    virtual std::optional<Player> PlayerByKey(const Sha256Digest& keyHash) = 0;
    virtual std::optional<Player> PlayerByName(const std::string& name) = 0;

    // Keeps the run as the player's best on its course, if it is faster and not a copy of
    // another player's run.
    virtual SubmitResult Submit(const NewRun& run) = 0;
    // Puts a staff run in its slot unless one is there (several servers may seed at once).
    virtual void Seed(const NewRun& run) = 0;

    virtual int64_t BoardSize(const Sha256Digest& course) = 0;
    // Ranked fastest first; equal times by who was first on the board.
    virtual std::vector<BoardRun> Board(const Sha256Digest& course, int64_t offset,
                                        int64_t limit) = 0;
    virtual std::optional<std::vector<uint8_t>> RunFileBytes(int64_t id) = 0;

    // The operator's tools. Each answers whether there was anything to act on.
    virtual bool RemoveRun(int64_t id) = 0;
    virtual bool RemovePlayer(const std::string& name) = 0;  // with the player's runs
    virtual bool ReplaceKey(const std::string& name, const Sha256Digest& keyHash) = 0;
    // Whether the database answers at all.
    virtual bool Healthy() = 0;
};

// "sqlite:PATH" or "postgresql://..." (also "postgres://"); migrates the schema to the current
// version. Throws std::invalid_argument for another address and StoreUnavailable when the
// database cannot be opened.
std::unique_ptr<Store> OpenStore(const std::string& address);

// The schema this program writes; a database of a newer one is refused.
constexpr int32_t kSchemaVersion = 1;

}  // namespace vantrell::server
