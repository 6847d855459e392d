#pragma once
// The texts that both the HTML report and its JSON twin write.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvel {

// Why the host could not tell, in a user's words: the plain reason where the code says more
// than the system's text, else the host's own.
std::string HostReason(const ErrorInfo& failure);
// The edition's name for its code, or none for a code the table does not know.
std::optional<std::string_view> EditionName(const std::optional<std::int32_t>& code);

}  // namespace torvel
