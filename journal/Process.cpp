#include "journal/Process.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantor::journal {

namespace {

std::string FirstLine(const char* path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

std::string BootId() { return FirstLine("/proc/sys/kernel/random/boot_id"); }

std::string MachineId() {
  std::string id = FirstLine("/etc/machine-id");
  if (id.empty()) id = FirstLine("/var/lib/dbus/machine-id");
  return id;
}

// "pid:[4026531836]": one pid namespace from another on the same kernel.
std::string PidNamespace() {
  char link[64] = {};
  const ssize_t n = readlink("/proc/self/ns/pid", link, sizeof link - 1);
  return n > 0 ? std::string(link, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

std::string ProcessToken(std::int64_t pid) {
  if (pid <= 0) return {};
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return {};
  // The command name in parentheses may hold spaces; the fields after its
  // closing parenthesis are fixed: state is field 3, starttime field 22.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return {};
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (int n = 3; n <= 22 && fields >> field; ++n)
    if (n == 22) return BootId() + ":" + field;
  return {};
}

std::string MachineIdentity() { return MachineId() + "/" + BootId() + "/" + PidNamespace(); }

TProcessIdentity CurrentProcess() {
  TProcessIdentity self;
  self.pid = static_cast<std::int64_t>(getpid());
  self.token = ProcessToken(self.pid);
  self.machine = MachineIdentity();
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) self.host = host;
  if (self.host.empty()) self.host = "localhost";
  if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name) {
    self.user = pw->pw_name;
  } else if (const char* user = std::getenv("USER"); user && *user) {
    self.user = user;
  } else {
    self.user = "uid " + std::to_string(geteuid());
  }
  return self;
}

bool RanHere(const TJobRecord& job, const TProcessIdentity& self) {
  // A part that could not be read on either side leaves only the lease.
  const std::string& m = self.machine;
  if (m.empty() || m.front() == '/' || m.back() == '/' || m.find("//") != std::string::npos) return false;
  return job.machine == m && !job.processToken.empty();
}

bool IsAbandoned(const TJobRecord& job, const TProcessIdentity& self, std::optional<std::int64_t> leaseNow) {
  if (!IsRunning(job.outcome)) return false;
  if (RanHere(job, self)) return ProcessToken(job.pid) != job.processToken;
  return leaseNow && *leaseNow > job.leaseUntil;
}

}  // namespace vantor::journal
