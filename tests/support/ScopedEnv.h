#pragma once

// An environment variable set, or unset, for the object's life, and then put back as it was.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
    // Sets `name` to `value`, or unsets it when there is no value.
    ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str()); old != nullptr) {
            previous_ = old;
        }
        put(value);
    }
    ~ScopedEnv() { put(previous_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void put(const std::optional<std::string>& value) const {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> previous_;
};
