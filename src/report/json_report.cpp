#include "report/json_report.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/clean_text.h"
#include "report/report_texts.h"
#include "text/app_info.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

// Writes JSON with one member or element a line, two blanks of indent a level.
class JsonWriter {
 public:
  void Begin(const char* key, char bracket) {
    Prefix(key);
    text_ += bracket;
    first_.push_back(true);
  }
  void End(char bracket) {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) text_ += '\n' + std::string(2 * first_.size(), ' ');
    text_ += bracket;
  }
  void String(const char* key, std::string_view value) {
    Prefix(key);
    Quote(value);
  }
  // A whole number as it is; a fraction to the last digit a double holds, null when not finite.
  template <typename N>
  requires std::is_arithmetic_v<N>
  void Number(const char* key, N value) {
    if constexpr (std::is_floating_point_v<N>) {
      if (!std::isfinite(value)) return Null(key);
      char number[32];
      std::snprintf(number, sizeof number, "%.17g", static_cast<double>(value));
      Prefix(key);
      text_ += number;
    } else {
      Prefix(key);
      text_ += std::to_string(value);
    }
  }
  // Null for a text or a number that could not be had.
  template <typename T>
  void Maybe(const char* key, const std::optional<T>& value) {
    if (!value) return Null(key);
    if constexpr (std::is_arithmetic_v<T>) {
      Number(key, *value);
    } else {
      String(key, *value);
    }
  }
  void True(const char* key) {
    Prefix(key);
    text_ += "true";
  }
  void Null(const char* key) {
    Prefix(key);
    text_ += "null";
  }
  std::string Finish() { return text_ + "\n"; }

 private:
  void Prefix(const char* key) {
    if (!first_.empty()) {
      text_ += first_.back() ? "\n" : ",\n";
      first_.back() = false;
      text_ += std::string(2 * first_.size(), ' ');
    }
    if (key) {
      Quote(key);
      text_ += ": ";
    }
  }
  // RFC 8259 over the report's own clean text (CleanText), so that a text parsed from the JSON
  // is the report's text: a tab is the one control character left, written as \t.
  void Quote(std::string_view value) {
    text_ += '"';
    for (const char c : CleanText(value)) {
      if (c == '"' || c == '\\' || c == '\t') text_ += '\\';
      text_ += c == '\t' ? 't' : c;
    }
    text_ += '"';
  }

  std::string text_;
  std::vector<bool> first_;
};

std::string ErrorCode(long code) {
  return ErrorCodeText(code).substr(6);  // "0x80004005" without "error "
}

void WriteMachine(JsonWriter& json, const MachineFacts& m) {
  json.Begin("machine", '{');
  json.Maybe("user_name", m.user_name);
  json.String("computer_name", m.computer_name);
  json.Number("uptime_ms", m.uptime_ms);
  json.String("ethernet_address", m.ethernet_address);
  json.Maybe("ip_address",
             m.ip_address.empty() ? std::nullopt : std::optional<std::string>(m.ip_address));
  if (m.os) {
    json.Begin("operating_system", '{');
    json.Number("platform_id", m.os->platform_id);
    json.Number("major_version", m.os->major);
    json.Number("minor_version", m.os->minor);
    json.Number("build", m.os->build);
    json.String("service_pack", m.os->service_pack);
    json.End('}');
    json.Begin("processor", '{');
    json.Number("type", m.os->processor_type);
    json.Number("count", m.os->processor_count);
    json.End('}');
    json.String("system_date", m.os->date);
    json.String("system_time", m.os->time);
  } else {
    for (const char* key : {"operating_system", "processor", "system_date", "system_time"})
      json.Null(key);
  }
  if (const auto& r = m.resources) {
    json.Begin("memory", '{');
    json.Number("total_physical_bytes", r->memory.total_physical);
    json.Number("available_physical_bytes", r->memory.available_physical);
    json.Number("total_paging_bytes", r->memory.total_paging);
    json.End('}');
    json.Begin("disk", '{');
    json.String("root", r->drive_root);
    json.Maybe("total_bytes", r->disk_known ? std::optional(r->disk_total) : std::nullopt);
    json.Maybe("free_bytes", r->disk_known ? std::optional(r->disk_free) : std::nullopt);
    json.End('}');
  } else {
    json.Null("memory");
    json.Null("disk");
  }
  if (m.resources && m.resources->screen) {
    const ResourceFacts& r = *m.resources;
    json.Begin("display", '{');
    json.Number("width_px", r.screen->width);
    json.Number("height_px", r.screen->height);
    json.Number("dots_per_inch_x", r.screen->dpi_x);
    json.Number("dots_per_inch_y", r.screen->dpi_y);
    json.Maybe("color_bits", r.color_bits);
    json.Maybe("colors", r.colors);
    json.End('}');
  } else {
    json.Null("display");
  }
  json.Maybe("temporary_directory", m.temporary_directory);
  json.Begin("environment", '{');
  json.Maybe("Path", m.path);
  json.Maybe("TORVELK", m.torvelk);
  json.End('}');
  json.End('}');
}

void WriteProducts(JsonWriter& json, const ProductFacts& products) {
  json.Begin("products", '[');
  for (const SectionFacts& facts : products.sections) {
    json.Begin(nullptr, '{');
    json.String("name", facts.section.name);
    json.String("root", RootName(facts.section.root));
    json.String("key", facts.section.key);
    json.Begin("values", '[');
    for (const ValueRead& value : facts.values) {
      json.Begin(nullptr, '{');
      json.String("root", RootName(value.root));
      json.String("key", value.key);
      json.String("name", value.name);
      json.Maybe("value", value.text);
      json.End('}');
    }
    json.End(']');
    json.End('}');
  }
  json.End(']');
}

void WriteHost(JsonWriter& json, const HostFacts& host) {
  json.Begin("host", '{');
  json.Maybe("date_code", host.date_code);
  json.Maybe("revision_number", host.revision_number);
  const std::optional<ErrorInfo>& failure =
      host.date_code_failure ? host.date_code_failure : host.revision_number_failure;
  json.Maybe("reason", failure ? std::optional(HostReason(*failure)) : std::nullopt);
  json.Begin("editions", '[');
  for (std::size_t i = 0; i < kReleaseYears.size(); ++i) {
    json.Begin(nullptr, '{');
    json.String("release", kReleaseYears[i]);
    json.Maybe("code", host.editions[i]);
    json.Maybe("name", EditionName(host.editions[i]));
    json.End('}');
  }
  json.End(']');
  json.End('}');
}

}  // namespace

std::string RenderJson(const Facts& facts) {
  JsonWriter json;
  json.Begin(nullptr, '{');
  json.Number("schema_version", kJsonSchemaVersion);
  if (facts.privacy) json.True("private");
  json.Begin("tool", '{');
  json.String("name", kProductName);
  json.String("version", VersionText());
  json.End('}');
  const UtcTime& t = facts.collected_at;
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  json.String("collected_at", std::string(when));
  WriteMachine(json, facts.machine);
  WriteProducts(json, facts.products);
  WriteHost(json, facts.host);
  json.Begin("problems", '[');
  for (const Problem& problem : facts.problems) {
    json.Begin(nullptr, '{');
    json.String("where", problem.where);
    json.String("error", ErrorCode(problem.error));
    json.String("text", problem.text);
    json.End('}');
  }
  json.End(']');
  json.End('}');
  return json.Finish();
}

}  // namespace torvel
