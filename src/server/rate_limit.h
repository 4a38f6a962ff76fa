// Requests a client may make a minute, counted per process in fixed one-minute windows; several
// server processes each count their own.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace vantrell::server {

class RateLimiter {
  public:
    explicit RateLimiter(int32_t perMinute) : perMinute_(perMinute) {}

    // 0 when `who` may go on (and is counted); otherwise the seconds until it may.
    int32_t Take(const std::string& who);

  private:
    struct Window {
        std::chrono::steady_clock::time_point start;
        int32_t used = 0;
    };
    int32_t perMinute_;
    std::mutex mutex_;
    std::unordered_map<std::string, Window> windows_;
};

}  // namespace vantrell::server
