// Which journal the program uses: --journal, else the location kept in the
// user's settings (QSettings, "journal/location"), else journal.sqlite in the
// user's data folder. A password is never kept there.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "journal/qt/Journal.h"

namespace vantor::journal {

inline constexpr const char* kJournalLocationKey = "journal/location";

// The location kept in the settings, or empty for the default.
std::string StoredJournalLocation();
// Keeps `text` (empty: back to the default). Refused (the reason returned,
// nothing kept) when it is no journal location.
std::optional<std::string> StoreJournalLocation(const std::string& text);
// `given` when there is one, else the stored location, else the default.
TParsed<TJournalLocation> ResolveJournalLocation(const std::optional<std::string>& given);

// A journal opened when first needed and kept open; a fault closes it, so the
// next use opens it again (a server that was restarted, a file put right).
class TJournalAccess {
 public:
  // `given`: a location for this run only (--journal); none: the settings'.
  explicit TJournalAccess(std::optional<std::string> given = std::nullopt, TJournal::TOptions options = {});
  ~TJournalAccess();

  // The open journal. Throws TJournalError naming the cause.
  TJournal& Get();
  bool IsOpen() const { return journal_ != nullptr; }
  void Close();
  // Jobs the last opening found interrupted, handed out once.
  std::vector<TJobRecord> TakeInterrupted();
  // Where the journal is (or would be), for messages.
  std::string Where() const;
  void SetGiven(std::optional<std::string> given);
  void SetPasswordPrompt(std::function<std::optional<std::string>(const std::string&)> prompt);

 private:
  std::optional<std::string> given_;
  TJournal::TOptions options_;
  std::unique_ptr<TJournal> journal_;
  std::vector<TJobRecord> interrupted_;
};

}  // namespace vantor::journal
