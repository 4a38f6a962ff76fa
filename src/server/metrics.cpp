#include "server/metrics.h"

#include <cstdio>

namespace vantrell::server {

void Metrics::CountRequest(const std::string& route, int status) {
    std::lock_guard lock(mutex_);
    ++requests_[{route, status}];
}

void Metrics::CountVerified(double seconds) {
    std::lock_guard lock(mutex_);
    ++verified_;
    verifySeconds_ += seconds;
    for (size_t i = 0; i < kBuckets.size(); ++i) {
        if (seconds <= kBuckets[i]) {
            ++verifyBuckets_[i];
        }
    }
}

std::string Metrics::Text() {
    std::lock_guard lock(mutex_);
    std::string text =
        "# HELP vantrell_requests_total Requests answered, by route and status.\n"
        "# TYPE vantrell_requests_total counter\n";
    char line[256];
    for (const auto& [key, count] : requests_) {
        std::snprintf(line, sizeof line,
                      "vantrell_requests_total{route=\"%s\",status=\"%d\"} %lld\n",
                      key.first.c_str(), key.second, static_cast<long long>(count));
        text += line;
    }
    text +=
        "# HELP vantrell_verify_seconds Time to drive a submitted run again.\n"
        "# TYPE vantrell_verify_seconds histogram\n";
    for (size_t i = 0; i < kBuckets.size(); ++i) {
        std::snprintf(line, sizeof line, "vantrell_verify_seconds_bucket{le=\"%g\"} %lld\n",
                      kBuckets[i], static_cast<long long>(verifyBuckets_[i]));
        text += line;
    }
    std::snprintf(line, sizeof line,
                  "vantrell_verify_seconds_bucket{le=\"+Inf\"} %lld\n"
                  "vantrell_verify_seconds_sum %.6f\n"
                  "vantrell_verify_seconds_count %lld\n",
                  static_cast<long long>(verified_), verifySeconds_,
                  static_cast<long long>(verified_));
    text += line;
    return text;
}

}  // namespace vantrell::server
