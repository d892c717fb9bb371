// The web service's job reader on arbitrary request bodies: it refuses or
// reads, and a job it reads passes the core's checks without a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/serve/JobRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const vantor::serve::TReadJob read = vantor::serve::ReadJobRequest(body);
  if (read.job) {
    static const vantor::TTemplateCatalogue templates = vantor::LoadTemplateCatalogue(std::filesystem::path());
    vantor::serve::TCheckedJob checked;
    (void)vantor::serve::CheckJob(*read.job, templates, vantor::serve::kDefaultMaxLabels, checked);
  } else if (read.refusal.error.empty()) {
    __builtin_trap();  // every refusal says why
  }
  return 0;
}
