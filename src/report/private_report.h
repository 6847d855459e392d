#pragma once
// The private report: the facts with the user's and the computer's names and the machine's
// addresses replaced, each by one stand-in wherever it appears, so that support still reads one
// consistent machine and nothing of the real values leaves it.
#include <string>

#include "machine/machine_facts.h"
#include "report/facts.h"

namespace torvel {

inline constexpr char kPrivateUserName[] = "user1";
inline constexpr char kPrivateComputerName[] = "computer1";
// Reserved for documentation (RFC 5737 and RFC 7042): no real machine has them.
inline constexpr char kPrivateIpAddress[] = "192.0.2.1";
inline constexpr char kPrivateEthernetAddress[] = "00005E005300";

// `facts` with the user, computer, IP and Ethernet fields replaced, and the same values replaced
// wherever they stand as whole words or path parts, in any letter case, in every other text;
// `privacy` says which name was too short or too common to replace outside its own field.
Facts PrivateFacts(Facts facts);

// `text` with the names and addresses of `machine`, the facts as collected (not yet private),
// replaced as PrivateFacts replaces them: for what is written outside the report, such as the
// folder a mail names.
std::string PrivateText(const std::string& text, const MachineFacts& machine);

}  // namespace torvel
