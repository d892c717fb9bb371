#include "journal/qt/JournalSettings.h"

#include <QSettings>

namespace vantor::journal {

std::string StoredJournalLocation() {
  const QSettings settings;
  return settings.value(QLatin1String(kJournalLocationKey)).toString().trimmed().toStdString();
}

std::optional<std::string> StoreJournalLocation(const std::string& text) {
  if (!text.empty()) {
    const TParsed<TJournalLocation> parsed = ParseJournalLocation(text);
    if (!parsed.value) return parsed.error;
  }
  QSettings settings;
  if (text.empty())
    settings.remove(QLatin1String(kJournalLocationKey));
  else
    settings.setValue(QLatin1String(kJournalLocationKey), QString::fromStdString(text));
  settings.sync();
  if (settings.status() != QSettings::NoError)
    return "the settings file " + settings.fileName().toStdString() + " cannot be written";
  return std::nullopt;
}

TParsed<TJournalLocation> ResolveJournalLocation(const std::optional<std::string>& given) {
  if (given) return ParseJournalLocation(*given);
  const std::string stored = StoredJournalLocation();
  return ParseJournalLocation(stored.empty() ? DefaultJournalPath() : stored);
}

TJournalAccess::TJournalAccess(std::optional<std::string> given, TJournal::TOptions options)
    : given_(std::move(given)), options_(std::move(options)) {}

TJournalAccess::~TJournalAccess() = default;

TJournal& TJournalAccess::Get() {
  if (journal_) return *journal_;
  const TParsed<TJournalLocation> where = ResolveJournalLocation(given_);
  if (!where.value) throw TJournalError("journal: " + where.error);
  journal_ = TJournal::Open(*where.value, options_);
  const auto& found = journal_->Interrupted();
  interrupted_.insert(interrupted_.end(), found.begin(), found.end());
  return *journal_;
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
