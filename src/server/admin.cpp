#include "server/admin.h"

#include <cstdio>
#include <stdexcept>

#include "records/record_names.h"
#include "server/sqlite_store.h"
#include "server/world_api.h"

namespace vantrell::server {

namespace {

std::string StoredName(const std::string& typed) {
    const std::optional<std::string> name = EncodeName(typed);
    if (!name || name->empty() || name->size() > kNameBytes) {
        throw std::invalid_argument(typed + ": not a name the world table can hold");
    }
    return *name;
}

SqliteStore& Sqlite(Store& store, const char* command) {
    auto* sqlite = dynamic_cast<SqliteStore*>(&store);
    if (!sqlite) {
        throw std::invalid_argument(std::string(command) +
                                    ": for a SQLite database; back up PostgreSQL with pg_dump");
    }
    return *sqlite;
}

}  // namespace

int RunAdmin(const std::string& db, const std::vector<std::string>& args) {
    if (args.size() != 2 && !(args.size() == 1 && args[0] == "check")) {
        throw std::invalid_argument(
            "admin: give remove-run ID, remove-name NAME, new-key NAME, backup FILE or check");
    }
    const std::string& command = args[0];
    const std::unique_ptr<Store> store = OpenStore(db);
    if (command == "check") {
        const std::string answer = Sqlite(*store, "check").IntegrityCheck();
        std::printf("%s\n", answer.c_str());
        return answer == "ok" ? 0 : 1;
    }
    const std::string& what = args[1];
    if (command == "remove-run") {
        int64_t id = 0;
        try {
            id = std::stoll(what);
        } catch (const std::exception&) {
            throw std::invalid_argument("remove-run " + what + ": give the run's id");
        }
        if (!store->RemoveRun(id)) {
            std::fprintf(stderr, "vantrell-server: no run %s; nothing removed\n", what.c_str());
            return 1;
        }
        std::printf("run %s removed\n", what.c_str());
        return 0;
    }
    if (command == "remove-name") {
        if (!store->RemovePlayer(StoredName(what))) {
            std::fprintf(stderr, "vantrell-server: no name %s; nothing removed\n", what.c_str());
            return 1;
        }
        std::printf("%s removed with its runs\n", what.c_str());
        return 0;
    }
    if (command == "new-key") {
        const std::string key = NewPlayerKey();
        if (!store->ReplaceKey(StoredName(what), PlayerKeyHash(key))) {
            std::fprintf(stderr, "vantrell-server: no name %s; no key made\n", what.c_str());
            return 1;
        }
        std::printf("%s\n", key.c_str());
        return 0;
    }
    if (command == "backup") {
        Sqlite(*store, "backup").Backup(what);
        std::printf("backed up into %s\n", what.c_str());
        return 0;
    }
    throw std::invalid_argument("admin " + command + ": no such command; see --help");
}

}  // namespace vantrell::server
