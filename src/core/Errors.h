// Errors raised inside a handler end in the error box where the event is dispatched.
#pragma once

#include "core/ShownText.h"

#include <exception>
#include <string>
#include <string_view>

namespace tovimar {

// The message keeps which of its parts are the program's own text and which the system's;
// what() gives its bytes. Not a std::runtime_error: its reference-counted string would bring a
// second string implementation into the executable.
class TovimarError : public std::exception {
public:
    explicit TovimarError(ShownText message)
        : message_(std::move(message)), bytes_(message_.Bytes()) {}
    const char *what() const noexcept override { return bytes_.c_str(); }
    const ShownText &Message() const { return message_; }

private:
    ShownText message_;
    std::string bytes_;
};

// The error box's text: a period is appended when the last byte sorts after ".".
inline ShownText ErrorBoxText(ShownText message) {
    const std::string bytes = message.Bytes();
    if (!bytes.empty() && static_cast<unsigned char>(bytes.back()) > '.') message += ".";
    return message;
}

} // namespace tovimar
