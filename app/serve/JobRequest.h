// The web service's job and preview requests: a JSON body read into the
// command line's run options (the fields are its long option names with '_'
// for '-'), then checked by the same core checks the command line runs. Every
// refusal names the request field at fault where there is one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dlt/DltCommand.h"
#include "lto/LtoCommand.h"
#include "templates/SheetTemplate.h"

namespace vantor::serve {

// A refused request: the HTTP status (400 for a body that is no JSON object,
// 422 for a field the API or the core refuses), the reason, and the request
// field it lies in (empty: none).
struct TRefusal {
  int status = 422;
  std::string error;
  std::string field;
};

enum class TFamily { Dlt, Lto };
enum class TPreviewFormat { Svg, Png };

struct TJobDescription {
  TFamily family = TFamily::Lto;
  TPrintOptions dlt;                   // family dlt
  TLtoPrintOptions lto;                // family lto
  std::optional<std::string> printer;  // "output": {"printer": NAME}; none: a PDF
  bool reprint = false;
  int page = 1;  // a preview's page, 1-based
  TPreviewFormat format = TPreviewFormat::Svg;
};

struct TReadJob {
  std::optional<TJobDescription> job;
  TRefusal refusal;  // when there is no job
};

// The longest body a request may carry.
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
// The largest job a request may ask for unless the service says otherwise.
inline constexpr int kDefaultMaxLabels = 30000;

// Reads a job or preview body: every field's type and bounds, the fields
// that do not go with the family refused.
TReadJob ReadJobRequest(std::string_view body);

// The request field of a command-line option: "start-label" -> "start_label".
std::string FieldOf(std::string_view option);

// A job the core has checked: the LTO run when the family is lto, the labels
// it prints.
struct TCheckedJob {
  std::optional<TLtoRun> run;
  int labels = 0;
};

// The core's checks of the run (as RunPrint and RunLtoPrint make them, at the
// PDF's resolution) and the service's bound on labels a job; the refusal, or
// the checked job.
std::optional<TRefusal> CheckJob(const TJobDescription& job, const TTemplateCatalogue& templates, int maxLabels,
                                 TCheckedJob& checked);

}  // namespace vantor::serve
