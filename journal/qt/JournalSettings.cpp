#include "journal/qt/JournalSettings.h"

#include <QSettings>

#include "qt/ProgramSettings.h"

namespace vantor::journal {

TParsed<std::string> ReadStoredJournalLocation() {
  const std::unique_ptr<QSettings> settings = OpenProgramSettings();
  if (const QString problem = ProgramSettingsProblem(*settings); !problem.isEmpty())
    return {std::nullopt, problem.toStdString() + ", so the journal location kept there is unknown"};
  const QVariant value = settings->value(QLatin1String(kJournalLocationKey));
  if (!value.isValid()) return {std::string(), {}};
  if (value.typeId() != QMetaType::QString)
    return {std::nullopt, "the settings file " + settings->fileName().toStdString() + " holds no single location in " +
                              kJournalLocationKey};
  return {value.toString().trimmed().toStdString(), {}};
}

std::string StoredJournalLocation() { return ReadStoredJournalLocation().value.value_or(std::string()); }

std::optional<std::string> StoreJournalLocation(const std::string& text) {
  if (!text.empty()) {
    const TParsed<TJournalLocation> parsed = ParseJournalLocation(text);
    if (!parsed.value) return parsed.error;
  }
  const std::unique_ptr<QSettings> settings = OpenProgramSettings();
  if (const QString problem = ProgramSettingsProblem(*settings); !problem.isEmpty()) return problem.toStdString();
  if (text.empty())
    settings->remove(QLatin1String(kJournalLocationKey));
  else
    settings->setValue(QLatin1String(kJournalLocationKey), QString::fromStdString(text));
  settings->sync();
  if (settings->status() != QSettings::NoError)
    return "the settings file " + settings->fileName().toStdString() + " cannot be written";
  return std::nullopt;
}

TParsed<TResolvedJournal> ResolveJournal(const std::optional<std::string>& given) {
  TResolvedJournal resolved;
  std::string text;
  if (given) {
    text = *given;
  } else {
    const TParsed<std::string> stored = ReadStoredJournalLocation();
    if (!stored.value) return {std::nullopt, stored.error};
    text = *stored.value;
    resolved.isDefault = text.empty();
    if (text.empty()) text = DefaultJournalPath();
  }
  TParsed<TJournalLocation> where = ParseJournalLocation(text);
  if (!where.value) return {std::nullopt, where.error};
  resolved.location = *where.value;
  return {resolved, {}};
}

TParsed<TJournalLocation> ResolveJournalLocation(const std::optional<std::string>& given) {
  TParsed<TResolvedJournal> resolved = ResolveJournal(given);
  if (!resolved.value) return {std::nullopt, resolved.error};
  return {resolved.value->location, {}};
}

std::unique_ptr<TJournal> OpenResolved(const std::optional<std::string>& given, TJournal::TOptions options) {
  const TParsed<TResolvedJournal> where = ResolveJournal(given);
  if (!where.value) throw TJournalError("journal: " + where.error);
  options.createIfMissing = where.value->isDefault && !options.readOnly;
  return TJournal::Open(where.value->location, std::move(options));
}

TJournalAccess::TJournalAccess(std::optional<std::string> given, TJournal::TOptions options)
    : given_(std::move(given)), options_(std::move(options)) {}

TJournalAccess::~TJournalAccess() = default;

TJournal& TJournalAccess::Get() {
  if (journal_) return *journal_;
  journal_ = OpenResolved(given_, options_);
  const auto& found = journal_->Interrupted();
  interrupted_.insert(interrupted_.end(), found.begin(), found.end());
  return *journal_;
}

std::unique_ptr<TJournal> TJournalAccess::OpenForList() {
  TJournal::TOptions options = options_;
  options.readOnly = true;
  return OpenResolved(given_, options);
}

TJournalLocation TJournalAccess::Resolved() const {
  const TParsed<TJournalLocation> where = ResolveJournalLocation(given_);
  if (!where.value) throw TJournalError("journal: " + where.error);
  return *where.value;
}

TJournal& TJournalAccess::Create() {
  Close();
  journal_ = TJournal::Create(Resolved(), options_);
  return *journal_;
}

bool TJournalAccess::IsDefault() const {
  const TParsed<TResolvedJournal> where = ResolveJournal(given_);
  return where.value && where.value->isDefault;
}

void TJournalAccess::Close() { journal_.reset(); }

std::vector<TJobRecord> TJournalAccess::TakeInterrupted() { return std::exchange(interrupted_, {}); }

std::string TJournalAccess::Where() const {
  if (journal_) return journal_->Location().Display();
  const TParsed<TJournalLocation> where = ResolveJournalLocation(given_);
  return where.value ? where.value->Display() : where.error;
}

void TJournalAccess::SetGiven(std::optional<std::string> given) {
  given_ = std::move(given);
  Close();
}

void TJournalAccess::SetPasswordPrompt(std::function<std::optional<std::string>(const std::string&)> prompt) {
  options_.passwordPrompt = std::move(prompt);
}

}  // namespace vantor::journal
