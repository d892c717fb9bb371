// The print journal's jobs and conflicts as the web service's API shows them.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "journal/JobRecord.h"

namespace vantor::serve {

// "2026-12-01T14:02:00Z", or null for 0.
nlohmann::json IsoTime(std::int64_t unixSeconds);
// A job: id, started_at, finished_at, user, host, family, media, output,
// target, outcome, reprint, serials [{first, last, state}].
nlohmann::json JobJson(const journal::TJobRecord& job);
// A refusal by the journal: error (the conflicts in words), conflicts
// [{first, last, state, job, when, who, where, output}], and whether a
// deliberate reprint would pass.
nlohmann::json ConflictJson(const std::vector<journal::TConflict>& conflicts);

}  // namespace vantor::serve
