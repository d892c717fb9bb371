#include "app/serve/JobJson.h"

#include <ctime>

#include "journal/JobLog.h"

namespace vantor::serve {

using nlohmann::json;

json IsoTime(std::int64_t unixSeconds) {
  if (unixSeconds == 0) return nullptr;
  const std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm utc{};
  if (!gmtime_r(&t, &utc)) return nullptr;
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

namespace {

json RangeJson(const journal::TSerialRange& r) {
  return {{"first", journal::SerialAt(r, r.first)}, {"last", journal::SerialAt(r, r.last)}};
}

}  // namespace

json JobJson(const journal::TJobRecord& job) {
  json serials = json::array();
  for (const journal::TRangePiece& piece : job.pieces) {
    json r = RangeJson(piece.range);
    r["state"] = journal::NameOf(piece.state);
    serials.push_back(std::move(r));
  }
  return {{"id", job.id},
          {"started_at", IsoTime(job.startedAt)},
          {"finished_at", IsoTime(job.finishedAt)},
          {"user", job.user},
          {"host", job.host},
          {"family", journal::NameOf(job.family) == "LTO" ? "lto" : "dlt"},
          {"media", job.media},
          {"output", journal::NameOf(job.output)},
          {"target", job.target},
          {"outcome", journal::NameOf(job.outcome)},
          {"reprint", job.reprint},
          {"serials", std::move(serials)}};
}

json ConflictJson(const std::vector<journal::TConflict>& conflicts) {
  std::string words;
  json list = json::array();
  for (const journal::TConflict& c : conflicts) {
    if (!words.empty()) words += '\n';
    words += journal::DescribeConflict(c);
    json r = RangeJson(c.serials);
    r["state"] = journal::NameOf(c.state);
    r["job"] = c.job.id;
    r["when"] = IsoTime(c.job.startedAt);
    r["who"] = c.job.user;
    r["where"] = c.job.host;
    r["output"] = journal::DescribeOutput(c.job.output, c.job.target);
    r["running"] = c.HeldByRunningJob();
    list.push_back(std::move(r));
  }
  return {
      {"error", words}, {"conflicts", std::move(list)}, {"reprint_would_pass", journal::ReprintWouldPass(conflicts)}};
}

}  // namespace vantor::serve
