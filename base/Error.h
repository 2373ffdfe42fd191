#pragma once
// The one error type of the program: an operation that cannot go on raises it with its fixed
// message text, and the application object shows that text in an error box while the program
// runs on (TApplication::Dispatch).

#include <stdexcept>
#include <string>

namespace gw {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace gw
