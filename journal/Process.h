// Who runs a job, and whether a job's process still lives. A job left reserved
// or printing is taken for dead when it ran where this process can see it
// (the same machine id, boot and pid namespace) and no process there has its
// pid and start token (the boot id and the process's start time, so a reused
// pid does not pass for it). A job of anywhere else is judged by its lease,
// which the printing process renews while it runs, and only where the lease
// is read by one clock (the PostgreSQL server's): host names and pids repeat
// across containers and cloned machines, so they prove nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "journal/JobRecord.h"

namespace vantor::journal {

struct TProcessIdentity {
  std::string user;
  std::string host;
  std::int64_t pid = 0;
  std::string token;
  // Where `pid` names this process: machine id, boot id and pid namespace.
  std::string machine;
};

// How long a job's lease lasts from its last sign of life, and how often a
// running job renews it (well within the lease, so a busy server or a slow
// page does not let it lapse).
inline constexpr std::int64_t kLeaseSeconds = 2 * 60;
inline constexpr int kRenewEveryMs = 20 * 1000;

TProcessIdentity CurrentProcess();
// The start token of a process on this host, or empty when there is none.
std::string ProcessToken(std::int64_t pid);
// "machine-id/boot-id/pid-namespace" of this process; parts that cannot be
// read are left empty, so a machine without them never matches another.
std::string MachineIdentity();
// Whether `job` ran where `self` can look up its process.
bool RanHere(const TJobRecord& job, const TProcessIdentity& self);
// A running job whose process is gone, as seen from `self`. `leaseNow`: the
// time to judge leases by, or none where a job elsewhere is never freed by
// age (a journal file whose clients' clocks may disagree).
bool IsAbandoned(const TJobRecord& job, const TProcessIdentity& self, std::optional<std::int64_t> leaseNow);

}  // namespace vantor::journal
