#pragma once

#include <exception>

// A whole-body download whose decoded body grew past what the HTTP helper holds in memory. The
// caller decides what such a reply means to its user.
class OversizedBodyError final : public std::exception
{
public:
    [[nodiscard]] const char *what() const noexcept override { return "the response body exceeds the size limit"; }
};
