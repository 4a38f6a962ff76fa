// Sets an environment variable for one scope and puts the old value (or its absence) back.
#pragma once

#include <stdlib.h>

#include <string>

namespace vantrell::test {

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = getenv(name)) {
            old_ = old;
            had_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

}  // namespace vantrell::test
