#pragma once

#include <utility>

namespace lrl {

// Runs an action when the scope is left, also by an exception. The action must not throw; if it does,
// the exception is dropped, since it would otherwise end the program during unwinding.
template <typename F> class ScopeExit {
public:
    explicit ScopeExit(F action)
        : m_action(std::move(action))
    {
    }
    ~ScopeExit()
    {
        try {
            m_action();
        } catch (...) {
        }
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F m_action;
};

} // namespace lrl
