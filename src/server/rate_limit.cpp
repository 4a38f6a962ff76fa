#include "server/rate_limit.h"

namespace vantrell::server {

int32_t RateLimiter::Take(const std::string& who) {
    if (perMinute_ <= 0) {
        return 0;
    }
    constexpr auto kWindow = std::chrono::minutes(1);
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    if (windows_.size() > 100000) {
        // Forget windows that ended, so many addresses cannot grow the map without bound.
        std::erase_if(windows_,
                      [&](const auto& entry) { return now - entry.second.start >= kWindow; });
    }
    Window& window = windows_[who];
    if (window.used == 0 || now - window.start >= kWindow) {
        window = {now, 0};
    }
    if (window.used >= perMinute_) {
        const auto left = std::chrono::ceil<std::chrono::seconds>(window.start + kWindow - now);
        return static_cast<int32_t>(std::max<int64_t>(1, left.count()));
    }
    ++window.used;
    return 0;
}

}  // namespace vantrell::server
