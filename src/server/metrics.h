// What /metrics tells in Prometheus's text format: requests by route and answer, runs verified
// and the time each drive took.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace vantrell::server {

class Metrics {
  public:
    void CountRequest(const std::string& route, int status);
    void CountVerified(double seconds);
    std::string Text();

  private:
    static constexpr std::array<double, 8> kBuckets = {0.0001, 0.00025, 0.0005, 0.001,
                                                       0.0025, 0.005,   0.01,   0.1};
    std::mutex mutex_;
    std::map<std::pair<std::string, int>, int64_t> requests_;
    std::array<int64_t, kBuckets.size()> verifyBuckets_{};
    int64_t verified_ = 0;
    double verifySeconds_ = 0;
};

}  // namespace vantrell::server
