#pragma once
// The code of the compound-file error an action raises, so that tests name the kind of failure.

#include "platform/cfb/compound_file_error.h"

#include <optional>

namespace poremi::test {

// None when the action raises nothing; other exceptions pass through.
template <class Action>
std::optional<cfb::ErrorCode> cfbErrorOf(Action action) {
    try {
        action();
    } catch (const cfb::CompoundFileError& error) {
        return error.code();
    }
    return std::nullopt;
}

}  // namespace poremi::test
