#include "report/private_report.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

namespace torvel {

namespace {

struct Swap {
  std::string real, stand_in;
};
using Swaps = std::vector<Swap>;

// A word is letters and digits, ASCII or not (every byte of a UTF-8 sequence counts): "alice" in
// "C:\Users\alice\" or "alice-pc" stands alone, in "Malice" it does not.
bool InWord(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= '0' && b <= '9') || ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') || b >= 0x80;
}

// Without regard to ASCII letter case; other letters compare as they are.
bool SameLetters(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; };
    return lower(x) == lower(y);
  });
}

constexpr std::string_view kCommonNames[] = {"user", "admin", "administrator", "root"};

// Twelve zeros are no adapter's address.
bool IsAdapterAddress(const std::string& ethernet_address) {
  return ethernet_address.find_first_not_of('0') != std::string::npos;
}

// Too short or too common to tell from other words of a text: replaced in its field only.
bool TooCommon(const std::string& name) {
  const auto characters = std::ranges::count_if(name, [](char c) { return (c & 0xC0) != 0x80; });
  return characters < 3 || std::ranges::any_of(kCommonNames, [&name](std::string_view common) {
           return SameLetters(name, common);
         });
}

// Each whole-word occurrence of a swap's real value replaced by its stand-in, in one pass, so
// that no stand-in is itself replaced. The first swap that fits wins.
std::string Swapped(const std::string& text, const Swaps& swaps) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto fits = [&](const Swap& swap) {
      const std::size_t end = i + swap.real.size();
      return end <= text.size() && (end == text.size() || !InWord(text[end])) &&
             SameLetters(std::string_view(text).substr(i, swap.real.size()), swap.real);
    };
    const auto swap =
        i > 0 && InWord(text[i - 1]) ? swaps.end() : std::ranges::find_if(swaps, fits);
    if (swap == swaps.end()) {
      out += text[i++];
    } else {
      out += swap->stand_in;
      i += swap->real.size();
    }
  }
  return out;
}

// What is replaced in the texts, longest first, so that a computer's name holding the user's
// ("ALICE-PC") reads as the computer's. A value that could not be had (an empty name or IP
// address, the all-zero Ethernet address of no adapter) has nothing to hide.
Swaps SwapsOf(const MachineFacts& m, Privacy& privacy) {
  Swaps swaps;
  const auto name = [&swaps](const std::string& real, const char* stand_in, bool& kept) {
    kept = !real.empty() && TooCommon(real);
    if (!real.empty() && !kept) swaps.push_back({real, stand_in});
  };
  name(m.user_name.value_or(""), kPrivateUserName, privacy.user_name_kept);
  name(m.computer_name, kPrivateComputerName, privacy.computer_name_kept);
  if (!m.ip_address.empty()) swaps.push_back({m.ip_address, kPrivateIpAddress});
  if (IsAdapterAddress(m.ethernet_address))
    swaps.push_back({m.ethernet_address, kPrivateEthernetAddress});
  std::ranges::stable_sort(swaps, std::greater{}, [](const Swap& s) { return s.real.size(); });
  return swaps;
}

}  // namespace

Facts PrivateFacts(Facts facts) {
  Privacy privacy;
  const Swaps swaps = SwapsOf(facts.machine, privacy);
  const auto hide = [&swaps](std::string& text) { text = Swapped(text, swaps); };
  const auto hide_if = [&hide](std::optional<std::string>& text) {
    if (text) hide(*text);
  };
  // The fields themselves, even where a name is kept elsewhere.
  MachineFacts& m = facts.machine;
  if (!m.user_name.value_or("").empty()) m.user_name = kPrivateUserName;
  if (!m.computer_name.empty()) m.computer_name = kPrivateComputerName;
  if (!m.ip_address.empty()) m.ip_address = kPrivateIpAddress;
  if (IsAdapterAddress(m.ethernet_address)) m.ethernet_address = kPrivateEthernetAddress;
  // The figures and the system's own forms (version, date, time) hold no name; the product
  // tables' keys and value names are the program's own.
  if (m.resources) hide(m.resources->drive_root);
  hide_if(m.temporary_directory);
  hide_if(m.path);
  hide_if(m.torvelk);
  for (SectionFacts& section : facts.products.sections) {
    for (ValueRead& value : section.values) hide_if(value.text);
  }
  hide_if(facts.host.revision_number);
  for (std::optional<ErrorInfo>* failure :
       {&facts.host.date_code_failure, &facts.host.revision_number_failure}) {
    if (*failure) hide((*failure)->text);
  }
  for (Problem& problem : facts.problems) hide(problem.text);
  facts.privacy = privacy;
  return facts;
}

std::string PrivateText(const std::string& text, const MachineFacts& machine) {
  Privacy unused;
  return Swapped(text, SwapsOf(machine, unused));
}

}  // namespace torvel
