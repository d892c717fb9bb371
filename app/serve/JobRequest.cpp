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

TReadJob Refuse(int status, std::string error, std::string field = {}) {
  TReadJob r;
  r.refusal = {status, std::move(error), std::move(field)};
  return r;
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

}  // namespace

std::string FieldOf(std::string_view option) {
  std::string field(option);
  for (char& c : field)
    if (c == '-') c = '_';
  return field;
}

TReadJob ReadJobRequest(std::string_view body) {
  bool tooDeep = false;
  const json::parser_callback_t depth = [&tooDeep](int d, json::parse_event_t, json&) {
    if (d > kMaxDepth) tooDeep = true;
    return !tooDeep;
  };
  const json doc = json::parse(body.begin(), body.end(), depth, false);
  if (tooDeep) return Refuse(400, "the request body nests deeper than a job does");
  if (doc.is_discarded()) return Refuse(400, "the request body is no JSON");
  if (!doc.is_object()) return Refuse(400, "the request body must be a JSON object");

  TJobDescription job;
  const auto family = doc.find("family");
  if (family == doc.end()) return Refuse(422, "family must be given: \"lto\" or \"dlt\"", "family");
  if (!family->is_string() || (*family != "lto" && *family != "dlt"))
    return Refuse(422, "family must be \"lto\" or \"dlt\"", "family");
  job.family = *family == "lto" ? TFamily::Lto : TFamily::Dlt;
  const bool lto = job.family == TFamily::Lto;

  for (const auto& [name, value] : doc.items()) {
    const TField* f = FieldNamed(name);
    if (!f) return Refuse(422, "unknown field '" + name + "'", name);
    if (f->family == TField::DltOnly && lto) return Refuse(422, name + " does not go with family lto", name);
    if (f->family == TField::LtoOnly && !lto) return Refuse(422, name + " needs family lto", name);
    if (auto problem = TypeProblem(*f, value)) return Refuse(422, *problem, name);
  }
  const auto text = [&](const char* name) -> std::optional<std::string> {
    const auto it = doc.find(name);
    if (it == doc.end()) return std::nullopt;
    return it->get<std::string>();
  };
  const auto flag = [&](const char* name) { return doc.value(name, false); };
  const auto whole = [&](const char* name, int fallback) { return doc.value(name, fallback); };

  // The calibration: the four numbers at the top or in "calibration", any one
  // making a calibration with the others neutral, as on the command line.
  std::optional<TCalibration> calibration;
  const json* calibrationObject = doc.contains("calibration") ? &doc["calibration"] : nullptr;
  struct TPart {
    const char* name;
    double TCalibration::*value;
  };
  for (const TPart part : {TPart{"offset_x", &TCalibration::offsetXMm}, TPart{"offset_y", &TCalibration::offsetYMm},
                           TPart{"scale_x", &TCalibration::scaleX}, TPart{"scale_y", &TCalibration::scaleY}}) {
    const json* v = doc.contains(part.name) ? &doc[part.name] : nullptr;
    if (calibrationObject && calibrationObject->contains(part.name)) {
      if (v) return Refuse(422, std::string(part.name) + " is given twice", part.name);
      v = &(*calibrationObject)[part.name];
      if (!v->is_number() || !std::isfinite(v->get<double>()))
        return Refuse(422, std::string(part.name) + " must be a number", part.name);
    }
    if (!v) continue;
    if (!calibration) calibration.emplace();
    (*calibration).*part.value = v->get<double>();
  }
  if (calibrationObject)
    for (const auto& [name, value] : calibrationObject->items())
      if (name != "offset_x" && name != "offset_y" && name != "scale_x" && name != "scale_y")
        return Refuse(422, "unknown field 'calibration." + name + "'", "calibration");

  if (const auto output = doc.find("output"); output != doc.end() && output->is_object())
    job.printer = (*output)["printer"].get<std::string>();
  job.reprint = flag("reprint");
  job.page = whole("page", 1);
  if (const auto format = text("format")) {
    if (*format != "svg" && *format != "png") return Refuse(422, "format must be \"svg\" or \"png\"", "format");
    job.format = *format == "png" ? TPreviewFormat::Png : TPreviewFormat::Svg;
  }
  const TOutputKind output = job.printer ? TOutputKind::Printer : TOutputKind::Pdf;
  const std::string target = job.printer.value_or("");

  if (lto) {
    TLtoPrintOptions& o = job.lto;
    o.output = output;
    o.target = target;
    o.calibration = calibration;
    o.calibrationPage = flag("calibration_page");
    o.dpi = whole("dpi", 0);
    o.startLabel = whole("start_label", 1);
    o.reprint = job.reprint;
    if (const auto t = text("template")) o.templateName = *t;
    if (o.calibrationPage) return {job, {}};
    const auto mediaId = text("media_id");
    if (!mediaId) return Refuse(422, "media_id must be given", "media_id");
    o.mediaId = *mediaId;
    const auto serial = text("serial");
    if (!serial) return Refuse(422, "serial must be given: the first volser", "serial");
    o.serial = *serial;
    if (doc.contains("count") && doc.contains("last")) return Refuse(422, "give count or last, not both", "last");
    if (doc.contains("count")) o.count = whole("count", 1);
    o.last = text("last");
    if (doc.contains("palette") && doc.contains("no_colour"))
      return Refuse(422, "give palette or no_colour, not both", "palette");
    if (const auto palette = text("palette")) o.palette = *palette;
    if (flag("no_colour")) o.palette = kNoColorPalette;
    return {job, {}};
  }

  TPrintOptions& o = job.dlt;
  o.output = output;
  o.target = target;
  o.calibration = calibration;
  o.calibrationPage = flag("calibration_page");
  o.dpi = whole("dpi", 0);
  o.startLabel = whole("start_label", 1);
  if (doc.contains("count") && doc.contains("sheets")) return Refuse(422, "give sheets or count, not both", "count");
  o.sheets = whole("sheets", 1);
  if (doc.contains("count")) o.count = whole("count", 1);
  o.reprint = job.reprint;
  std::string maker = text("maker").value_or("standard");
  const std::string media = text("media").value_or("");
  if (doc.contains("media") && maker == "standard") maker = "storagetek";
  const std::optional<TMediaMode> mode = MediaModeFor(maker, media);
  if (!mode) {
    const bool makerAlone = MediaModeFor(maker, "").has_value();
    return Refuse(422, "unknown maker or media kind '" + maker + (media.empty() ? "" : " " + media) + "'",
                  makerAlone ? "media" : "maker");
  }
  o.mediaMode = *mode;
  o.serial = text("serial");
  if (doc.contains("rotated")) o.rotated = flag("rotated");
  o.colored = !flag("no_colour");
  if (const auto caption = text("scheme"); caption && !caption->empty()) {
    o.scheme = FindSchemeByCaption(*caption);
    if (!o.scheme) return Refuse(422, "unknown colour scheme '" + *caption + "'", "scheme");
  }
  o.outlines = flag("outlines");
  return {job, {}};
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
