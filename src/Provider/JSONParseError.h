#pragma once

#include <stdexcept>

// The provider sent bytes that are not JSON. It carries the parser's own diagnosis for the log;
// a page shows the generic sentence for it, since the diagnosis means nothing to a user.
class JSONParseError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
