#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quarn {

// A value or a message for the user. The core never throws; refusals travel
// as values so every caller has to look at them.
template <class T>
class Result {
  public:
    Result(T value) : data_(std::in_place_index<0>, std::move(value)) {}

    static Result failure(std::string message) { return Result(Error{std::move(message)}); }

    [[nodiscard]] bool ok() const noexcept { return data_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }

    T& value() & { return std::get<0>(data_); }
    const T& value() const& { return std::get<0>(data_); }
    T&& value() && { return std::get<0>(std::move(data_)); }

    const std::string& error() const { return std::get<1>(data_).message; }

  private:
    struct Error {
        std::string message;
    };
    explicit Result(Error e) : data_(std::in_place_index<1>, std::move(e)) {}

    std::variant<T, Error> data_;
};

} // namespace quarn
