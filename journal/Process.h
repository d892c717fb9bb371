// Who runs a job, and whether a job's process still lives. A job left reserved
// or printing is taken for dead when, on this host, no process has its pid
// and start token (the kernel's boot id and the process's start time, so a
// reused pid or a reboot does not pass for it), or, on another host, when its
// lease has run out: the printing process renews it with every page.
#pragma once

#include <cstdint>
#include <string>

#include "journal/JobRecord.h"

namespace vantor::journal {

struct TProcessIdentity {
  std::string user;
  std::string host;
  std::int64_t pid = 0;
  std::string token;
};

// How long a job's lease lasts from its last sign of life.
inline constexpr std::int64_t kLeaseSeconds = 15 * 60;

TProcessIdentity CurrentProcess();
// The start token of a process on this host, or empty when there is none.
std::string ProcessToken(std::int64_t pid);
// A running job whose process is gone, as seen from `self` at `now`.
bool IsAbandoned(const TJobRecord& job, const TProcessIdentity& self, std::int64_t now);

}  // namespace vantor::journal
