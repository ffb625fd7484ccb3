#pragma once

#include "core/text/Messages.h"

#include <vector>

namespace qmtest {

// The numbers of `messages`, for tables that list messages by number.
inline std::vector<int> MessageNumbers(const std::vector<qm::Message>& messages) {
    std::vector<int> numbers;
    for (const qm::Message m : messages)
        numbers.push_back(qm::Number(m));
    return numbers;
}

} // namespace qmtest
