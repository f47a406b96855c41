#pragma once

// How a call of the core fails: it returns a Result<T>, which holds either
// the value or a Failure telling what failed and the system's own code.
// A Result must be looked at ([[nodiscard]]); a caller that has nothing to
// do with a failure says why beside a cast to void. Failures become the
// numbers, events and messages the user sees only at the edges (the
// engine's error events, DownloadFile's code, the windows' boxes).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

// What a caller may need to tell apart without reading system codes, which
// differ from one platform to the other.
enum class FailureCause {
    System,      // the system refused; `code` says why
    NameTaken,   // something already stands at the name
    OtherVolume, // a rename across volumes, which moves no file
    NotFound,    // the file or folder is not there
    Damaged,     // the content cannot be read as what it should be
    TooLarge,    // beyond a bound the program sets
    Stopped,     // the user stopped it
    Connection,  // an HTTP client failed; `code` is its own code, 0 when it gave none
    Refused,     // a server answered no; `code` is its HTTP status
    BadName,     // a name the system or a file format cannot hold (a NUL, a line break)
};

struct Failure {
    FailureCause cause = FailureCause::System;
    std::string what; // the step and the name it was about, for the log
    int32_t code = 0; // errno or GetLastError(); 0 when the system gave none

    bool Is(FailureCause c) const { return cause == c; }
};

inline Failure SystemFailure(std::string what, int32_t code) {
    return Failure{FailureCause::System, std::move(what), code};
}

inline Failure FailureOf(FailureCause cause, std::string what, int32_t code = 0) {
    return Failure{cause, std::move(what), code};
}

template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool Ok() const { return state_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    T& Value() & { return std::get<0>(state_); }
    const T& Value() const& { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return Value(); }
    const T& operator*() const& { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }

    const Failure& Error() const { return std::get<1>(state_); }
    bool Failed(FailureCause cause) const { return !Ok() && Error().Is(cause); }

    T ValueOr(T fallback) const& { return Ok() ? Value() : std::move(fallback); }
    std::optional<T> AsOptional() && {
        return Ok() ? std::optional<T>(std::move(*this).Value()) : std::nullopt;
    }

  private:
    std::variant<T, Failure> state_;
};

template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool Ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return Ok(); }
    const Failure& Error() const { return *failure_; }
    bool Failed(FailureCause cause) const { return !Ok() && Error().Is(cause); }

  private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

inline Status Success() {
    return {};
}
