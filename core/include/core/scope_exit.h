#pragma once
// Runs a cleanup when the scope ends, on every path, a throw included.

#include <utility>

namespace core {

template <typename Cleanup>
class ScopeExit {
public:
    explicit ScopeExit(Cleanup cleanup) : cleanup_(std::move(cleanup)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { cleanup_(); }

private:
    Cleanup cleanup_;
};

}  // namespace core
