#pragma once

#include "Support/UserFacingError.h"

// The one error type of the database layer; its description is the sentence users read.
class CatalogueDatabaseError final : public UserFacingError
{
public:
    using UserFacingError::UserFacingError;
};
