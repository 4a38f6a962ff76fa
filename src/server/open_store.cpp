#include <stdexcept>

#include "server/pg_store.h"
#include "server/sqlite_store.h"
#include "server/store.h"

namespace vantrell::server {

std::unique_ptr<Store> OpenStore(const std::string& address) {
    constexpr std::string_view kSqlite = "sqlite:";
    if (address.starts_with(kSqlite) && address.size() > kSqlite.size()) {
        return std::make_unique<SqliteStore>(address.substr(kSqlite.size()));
    }
    if (address.starts_with("postgresql://") || address.starts_with("postgres://")) {
        return std::make_unique<PgStore>(address);
    }
    throw std::invalid_argument(address +
                                ": give sqlite:PATH or postgresql://USER@HOST:PORT/DATABASE");
}

}  // namespace vantrell::server
