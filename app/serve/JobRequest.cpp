#include "app/serve/JobRequest.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "lto/LtoLabel.h"

namespace vantor::serve {

namespace {

using nlohmann::json;

// Nesting a job needs: the body, "calibration" and "output".
constexpr int kMaxDepth = 4;

enum class TKind { Text, Whole, Number, Flag, Object, Output };

struct TField {
  const char* name;
  TKind kind;
  enum { Both, DltOnly, LtoOnly } family;
  int lo = 0, hi = 0;  // Whole: the bounds
};

// clang-format off
constexpr TField kFields[] = {
    {"family", TKind::Text, TField::Both},
    {"serial", TKind::Text, TField::Both},
    {"start_label", TKind::Whole, TField::Both, 1, kMaxLabelsPerPage},
    {"dpi", TKind::Whole, TField::Both, 72, 4800},
    {"offset_x", TKind::Number, TField::Both},
    {"offset_y", TKind::Number, TField::Both},
    {"scale_x", TKind::Number, TField::Both},
    {"scale_y", TKind::Number, TField::Both},
    {"calibration", TKind::Object, TField::Both},
    {"calibration_page", TKind::Flag, TField::Both},
    {"no_colour", TKind::Flag, TField::Both},
    {"output", TKind::Output, TField::Both},
    {"reprint", TKind::Flag, TField::Both},
    {"page", TKind::Whole, TField::Both, 1, 100000},
    {"format", TKind::Text, TField::Both},
    {"maker", TKind::Text, TField::DltOnly},
    {"media", TKind::Text, TField::DltOnly},
    {"rotated", TKind::Flag, TField::DltOnly},
    {"scheme", TKind::Text, TField::DltOnly},
    {"sheets", TKind::Whole, TField::DltOnly, 1, kMaxSheets},
    {"outlines", TKind::Flag, TField::DltOnly},
    {"media_id", TKind::Text, TField::LtoOnly},
    {"count", TKind::Whole, TField::Both, 1, 1000000},
    {"last", TKind::Text, TField::LtoOnly},
    {"template", TKind::Text, TField::LtoOnly},
    {"palette", TKind::Text, TField::LtoOnly},
};
// clang-format on

const TField* FieldNamed(const std::string& name) {
  for (const TField& f : kFields)
    if (name == f.name) return &f;
  return nullptr;
}

// The type and bounds of one value; the problem, or nothing.
std::optional<std::string> TypeProblem(const TField& f, const json& v) {
  const std::string name = f.name;
  switch (f.kind) {
    case TKind::Text:
      if (!v.is_string()) return name + " must be a string";
      break;
    case TKind::Flag:
      if (!v.is_boolean()) return name + " must be true or false";
      break;
    case TKind::Number:
      if (!v.is_number() || !std::isfinite(v.get<double>())) return name + " must be a number";
      break;
    case TKind::Whole: {
      const bool whole = v.is_number_integer() && v.get<std::int64_t>() >= f.lo && v.get<std::int64_t>() <= f.hi;
      if (!whole)
        return name + " must be a whole number from " + std::to_string(f.lo) + " to " + std::to_string(f.hi) +
               ", not " + v.dump();
      break;
    }
    case TKind::Object:
      if (!v.is_object()) return name + " must be an object of offset_x, offset_y, scale_x and scale_y";
      break;
    case TKind::Output:
      if (v.is_string() && v.get<std::string>() == "pdf") break;
      if (v.is_object() && v.size() == 1 && v.contains("printer") && v["printer"].is_string() &&
          !v["printer"].get<std::string>().empty())
        break;
      return "output must be \"pdf\" or {\"printer\": NAME}";
  }
  return std::nullopt;
}

// A body's fields as the readers take them, once their types are checked.
class TBody {
 public:
  explicit TBody(const json& doc) : doc_(doc) {}
  const json& Doc() const { return doc_; }
  bool Has(const char* name) const { return doc_.contains(name); }
  std::optional<std::string> Text(const char* name) const {
    const auto it = doc_.find(name);
    if (it == doc_.end()) return std::nullopt;
    return it->get<std::string>();
  }
  bool Flag(const char* name) const { return doc_.value(name, false); }
  int Whole(const char* name, int fallback) const { return doc_.value(name, fallback); }

 private:
  const json& doc_;
};

// What both families' options hold alike.
struct TShared {
  TOutputKind output = TOutputKind::Pdf;
  std::string target;
  std::optional<TCalibration> calibration;
};

// The body as JSON: an object, no deeper than a job nests.
std::optional<TRefusal> ParseBody(std::string_view body, json& doc) {
  bool tooDeep = false;
  const json::parser_callback_t depth = [&tooDeep](int d, json::parse_event_t, json&) {
    if (d > kMaxDepth) tooDeep = true;
    return !tooDeep;
  };
  doc = json::parse(body.begin(), body.end(), depth, false);
  if (tooDeep) return TRefusal{400, "the request body nests deeper than a job does", {}};
  if (doc.is_discarded()) return TRefusal{400, "the request body is no JSON", {}};
  if (!doc.is_object()) return TRefusal{400, "the request body must be a JSON object", {}};
  return std::nullopt;
}

std::optional<TRefusal> ReadFamily(const json& doc, TFamily& family) {
  const auto it = doc.find("family");
  if (it == doc.end()) return TRefusal{422, "family must be given: \"lto\" or \"dlt\"", "family"};
  if (!it->is_string() || (*it != "lto" && *it != "dlt"))
    return TRefusal{422, "family must be \"lto\" or \"dlt\"", "family"};
  family = *it == "lto" ? TFamily::Lto : TFamily::Dlt;
  return std::nullopt;
}

// Every field known, of the family and of its type.
std::optional<TRefusal> CheckFields(const json& doc, TFamily family) {
  const bool lto = family == TFamily::Lto;
  for (const auto& [name, value] : doc.items()) {
    const TField* f = FieldNamed(name);
    if (!f) return TRefusal{422, "unknown field '" + name + "'", name};
    if (f->family == TField::DltOnly && lto) return TRefusal{422, name + " does not go with family lto", name};
    if (f->family == TField::LtoOnly && !lto) return TRefusal{422, name + " needs family lto", name};
    if (auto problem = TypeProblem(*f, value)) return TRefusal{422, *problem, name};
  }
  return std::nullopt;
}

// The calibration: the four numbers at the top or in "calibration", any one
// making a calibration with the others neutral, as on the command line.
std::optional<TRefusal> ReadCalibration(const json& doc, std::optional<TCalibration>& calibration) {
  const json* calibrationObject = doc.contains("calibration") ? &doc["calibration"] : nullptr;
  struct TPart {
    const char* name;
    double TCalibration::*value;
  };
  for (const TPart part : {TPart{"offset_x", &TCalibration::offsetXMm}, TPart{"offset_y", &TCalibration::offsetYMm},
                           TPart{"scale_x", &TCalibration::scaleX}, TPart{"scale_y", &TCalibration::scaleY}}) {
    const json* v = doc.contains(part.name) ? &doc[part.name] : nullptr;
    if (calibrationObject && calibrationObject->contains(part.name)) {
      if (v) return TRefusal{422, std::string(part.name) + " is given twice", part.name};
      v = &(*calibrationObject)[part.name];
      if (!v->is_number() || !std::isfinite(v->get<double>()))
        return TRefusal{422, std::string(part.name) + " must be a number", part.name};
    }
    if (!v) continue;
    if (!calibration) calibration.emplace();
    (*calibration).*part.value = v->get<double>();
  }
  if (calibrationObject)
    for (const auto& [name, value] : calibrationObject->items())
      if (name != "offset_x" && name != "offset_y" && name != "scale_x" && name != "scale_y")
        return TRefusal{422, "unknown field 'calibration." + name + "'", "calibration"};
  return std::nullopt;
}

// Where the job goes, whether it reprints, and a preview's page and format.
std::optional<TRefusal> ReadOutput(const TBody& body, TJobDescription& job) {
  if (const auto output = body.Doc().find("output"); output != body.Doc().end() && output->is_object())
    job.printer = (*output)["printer"].get<std::string>();
  job.reprint = body.Flag("reprint");
  job.page = body.Whole("page", 1);
  if (const auto format = body.Text("format")) {
    if (*format != "svg" && *format != "png") return TRefusal{422, "format must be \"svg\" or \"png\"", "format"};
    job.format = *format == "png" ? TPreviewFormat::Png : TPreviewFormat::Svg;
  }
  return std::nullopt;
}

// The options both families' runs share.
template <typename TOptions>
void ReadShared(const TBody& body, const TShared& shared, bool reprint, TOptions& o) {
  o.output = shared.output;
  o.target = shared.target;
  o.calibration = shared.calibration;
  o.calibrationPage = body.Flag("calibration_page");
  o.dpi = body.Whole("dpi", 0);
  o.startLabel = body.Whole("start_label", 1);
  o.reprint = reprint;
}

std::optional<TRefusal> ReadLto(const TBody& body, TLtoPrintOptions& o) {
  if (const auto t = body.Text("template")) o.templateName = *t;
  if (o.calibrationPage) return std::nullopt;
  const auto mediaId = body.Text("media_id");
  if (!mediaId) return TRefusal{422, "media_id must be given", "media_id"};
  o.mediaId = *mediaId;
  const auto serial = body.Text("serial");
  if (!serial) return TRefusal{422, "serial must be given: the first volser", "serial"};
  o.serial = *serial;
  if (body.Has("count") && body.Has("last")) return TRefusal{422, "give count or last, not both", "last"};
  if (body.Has("count")) o.count = body.Whole("count", 1);
  o.last = body.Text("last");
  if (body.Has("palette") && body.Has("no_colour"))
    return TRefusal{422, "give palette or no_colour, not both", "palette"};
  if (const auto palette = body.Text("palette")) o.palette = *palette;
  if (body.Flag("no_colour")) o.palette = kNoColorPalette;
  return std::nullopt;
}

// The maker and media kind, "media" alone meaning a StorageTek one.
std::optional<TRefusal> ReadDltMedia(const TBody& body, TPrintOptions& o) {
  std::string maker = body.Text("maker").value_or("standard");
  const std::string media = body.Text("media").value_or("");
  if (body.Has("media") && maker == "standard") maker = "storagetek";
  const std::optional<TMediaMode> mode = MediaModeFor(maker, media);
  if (!mode) {
    const bool makerAlone = MediaModeFor(maker, "").has_value();
    return TRefusal{422, "unknown maker or media kind '" + maker + (media.empty() ? "" : " " + media) + "'",
                    makerAlone ? "media" : "maker"};
  }
  o.mediaMode = *mode;
  return std::nullopt;
}

std::optional<TRefusal> ReadDlt(const TBody& body, TPrintOptions& o) {
  if (body.Has("count") && body.Has("sheets")) return TRefusal{422, "give sheets or count, not both", "count"};
  o.sheets = body.Whole("sheets", 1);
  if (body.Has("count")) o.count = body.Whole("count", 1);
  if (auto refusal = ReadDltMedia(body, o)) return refusal;
  o.serial = body.Text("serial");
  if (body.Has("rotated")) o.rotated = body.Flag("rotated");
  o.colored = !body.Flag("no_colour");
  if (const auto caption = body.Text("scheme"); caption && !caption->empty()) {
    o.scheme = FindSchemeByCaption(*caption);
    if (!o.scheme) return TRefusal{422, "unknown colour scheme '" + *caption + "'", "scheme"};
  }
  o.outlines = body.Flag("outlines");
  return std::nullopt;
}

// Reads the family's part after the fields every job has.
std::optional<TRefusal> ReadJob(const json& doc, TJobDescription& job) {
  if (auto refusal = ReadFamily(doc, job.family)) return refusal;
  if (auto refusal = CheckFields(doc, job.family)) return refusal;
  TShared shared;
  if (auto refusal = ReadCalibration(doc, shared.calibration)) return refusal;
  const TBody body(doc);
  if (auto refusal = ReadOutput(body, job)) return refusal;
  shared.output = job.printer ? TOutputKind::Printer : TOutputKind::Pdf;
  shared.target = job.printer.value_or("");
  if (job.family == TFamily::Lto) {
    ReadShared(body, shared, job.reprint, job.lto);
    return ReadLto(body, job.lto);
  }
  ReadShared(body, shared, job.reprint, job.dlt);
  return ReadDlt(body, job.dlt);
}

}  // namespace

std::string FieldOf(std::string_view option) {
  std::string field(option);
  for (char& c : field)
    if (c == '-') c = '_';
  return field;
}

TReadJob ReadJobRequest(std::string_view body) {
  TReadJob read;
  json doc;
  if (auto refusal = ParseBody(body, doc)) {
    read.refusal = std::move(*refusal);
    return read;
  }
  TJobDescription job;
  if (auto refusal = ReadJob(doc, job))
    read.refusal = std::move(*refusal);
  else
    read.job = std::move(job);
  return read;
}

std::optional<TRefusal> CheckJob(const TJobDescription& job, const TTemplateCatalogue& templates, int maxLabels,
                                 TCheckedJob& checked) {
  const auto refuse = [](const TOptionProblem& p) { return TRefusal{422, p.problem, FieldOf(p.option)}; };
  if (job.family == TFamily::Lto) {
    // The PDF's resolution unless one is asked for; a printer's own is
    // checked again once it is known.
    TLtoCheck check = CheckLtoOptions(job.lto, templates, job.lto.dpi ? job.lto.dpi : 600);
    if (check.problem) return refuse(*check.problem);
    checked.labels = check.run ? check.run->volsers.count : 0;
    checked.run = std::move(check.run);
  } else {
    if (const auto problem = DltOptionsProblem(job.dlt)) return refuse(*problem);
    checked.labels = job.dlt.calibrationPage ? 0 : DltRunLabels(job.dlt);
  }
  if (checked.labels > maxLabels)
    return TRefusal{
        422,
        "the job holds " + std::to_string(checked.labels) + " labels; this service prints at most " +
            std::to_string(maxLabels) + " a job",
        job.family == TFamily::Lto ? (job.lto.last ? "last" : "count") : (job.dlt.count ? "count" : "sheets")};
  return std::nullopt;
}

}  // namespace vantor::serve
