// What an operation that can fail with a reason gives back: its value, or a
// short text saying why there is none, worded for the user or the log.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace clavitone {

struct Failure {
    std::string why;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure.why)) {}

    explicit operator bool() const { return state_.index() == 0; }
    T& operator*() { return std::get<0>(state_); }
    const T& operator*() const { return std::get<0>(state_); }
    T* operator->() { return &std::get<0>(state_); }
    const T* operator->() const { return &std::get<0>(state_); }
    // Only of a failed result.
    const std::string& Why() const { return std::get<1>(state_); }

private:
    std::variant<T, std::string> state_;
};

// An operation with nothing to give back but its success.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failed_(true), why_(std::move(failure.why)) {}

    explicit operator bool() const { return !failed_; }
    const std::string& Why() const { return why_; }

private:
    bool failed_ = false;
    std::string why_;
};

}  // namespace clavitone
