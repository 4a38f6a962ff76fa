// The world table in PostgreSQL, for several server processes sharing one board. Each process
// keeps a few connections and nothing else: a restart loses nothing. A connection that breaks
// (the database restarted, say) is dropped and made again on a later request; meanwhile calls
// throw StoreUnavailable.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "server/store.h"

namespace vantrell::server {

class PgStore : public Store {
  public:
    // `address` is a libpq connection string or URI (postgresql://...); migrates the schema.
    explicit PgStore(std::string address);
    ~PgStore() override;

    std::optional<int64_t> AddPlayer(const std::string& name,
                                     const std::optional<Sha256Digest>& keyHash,
                                     int64_t when) override;
    std::optional<Player> PlayerByKey(const Sha256Digest& keyHash) override;
    std::optional<Player> PlayerByName(const std::string& name) override;
    SubmitResult Submit(const NewRun& run) override;
    void Seed(const NewRun& run) override;
    int64_t BoardSize(const Sha256Digest& course) override;
    std::vector<BoardRun> Board(const Sha256Digest& course, int64_t offset, int64_t limit) override;
    std::optional<std::vector<uint8_t>> RunFileBytes(int64_t id) override;
    bool RemoveRun(int64_t id) override;
    bool RemovePlayer(const std::string& name) override;
    bool ReplaceKey(const std::string& name, const Sha256Digest& keyHash) override;
    bool Healthy() override;

  private:
    struct Pool;  // the idle connections
    class Lease;
    template <typename Work>
    auto WithConnection(Work&& work);
    void Migrate();

    std::unique_ptr<Pool> pool_;
};

}  // namespace vantrell::server
