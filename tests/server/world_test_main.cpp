// The world table's suite starts one PostgreSQL cluster of its own for all its tests and stops
// it at the end, also when tests fail (and ctest's cleanup stops it if the suite dies).
#include <gtest/gtest.h>

#include "server_process.h"

namespace {

class PostgresCluster : public ::testing::Environment {
  public:
    void SetUp() override {
        const vantrell::test::Ran started =
            vantrell::test::RunCommand(Script() + "start " + VANTRELL_PG_STATE);
        ASSERT_EQ(started.status, 0) << started.output;
    }
    void TearDown() override { vantrell::test::RunCommand(Script() + "stop " + VANTRELL_PG_STATE); }

  private:
    static std::string Script() {
        return std::string("bash ") + VANTRELL_SOURCE_DIR + "/scripts/pg_cluster.sh ";
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new PostgresCluster);
    return RUN_ALL_TESTS();
}
