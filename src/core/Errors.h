// Errors raised inside a handler end in the error box where the event is dispatched.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tovimar {

// what() holds the message as ANSI bytes.
class TovimarError : public std::runtime_error {
public:
    explicit TovimarError(const std::string &message) : std::runtime_error(message) {}
};

// The error box's text: a period is appended when the last byte sorts after ".".
inline std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

} // namespace tovimar
