#include "journal/Process.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantor::journal {

namespace {

std::string BootId() {
  std::ifstream in("/proc/sys/kernel/random/boot_id");
  std::string id;
  std::getline(in, id);
  return id;
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

TProcessIdentity CurrentProcess() {
  TProcessIdentity self;
  self.pid = static_cast<std::int64_t>(getpid());
  self.token = ProcessToken(self.pid);
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

bool IsAbandoned(const TJobRecord& job, const TProcessIdentity& self, std::int64_t now) {
  if (!IsRunning(job.outcome)) return false;
  // Without a start token (no /proc where it ran) only the lease can tell.
  if (job.host == self.host && !job.processToken.empty()) return ProcessToken(job.pid) != job.processToken;
  return now > job.leaseUntil;
}

}  // namespace vantor::journal
