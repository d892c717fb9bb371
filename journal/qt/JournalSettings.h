// Which journal the program uses: --journal, else the location kept in the
// program's settings file ("journal/location", the file the window and the
// command line share), else journal.sqlite in the user's data folder. Only
// that default journal is made on first use. A password is never kept there.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "journal/qt/Journal.h"

namespace vantor::journal {

inline constexpr const char* kJournalLocationKey = "journal/location";

// The location kept in the settings (empty for the default), or why it
// cannot be read, naming the settings file.
TParsed<std::string> ReadStoredJournalLocation();
// The location kept in the settings, or empty for the default or when it
// cannot be read.
std::string StoredJournalLocation();
// Keeps `text` (empty: back to the default). Refused (the reason returned,
// nothing kept) when it is no journal location or the settings file cannot
// be written.
std::optional<std::string> StoreJournalLocation(const std::string& text);

struct TResolvedJournal {
  TJournalLocation location;
  bool isDefault = false;  // neither given nor kept: made on first use
};
// `given` when there is one, else the stored location, else the default.
TParsed<TResolvedJournal> ResolveJournal(const std::optional<std::string>& given);
TParsed<TJournalLocation> ResolveJournalLocation(const std::optional<std::string>& given);
// Opens the resolved journal: the default one is made when missing, any
// other is refused. Throws TJournalError.
std::unique_ptr<TJournal> OpenResolved(const std::optional<std::string>& given, TJournal::TOptions options);

// A journal opened when first needed and kept open; a fault closes it, so the
// next use opens it again (a server that was restarted, a file put right).
class TJournalAccess {
 public:
  // `given`: a location for this run only (--journal); none: the settings'.
  explicit TJournalAccess(std::optional<std::string> given = std::nullopt, TJournal::TOptions options = {});
  ~TJournalAccess();

  // The open journal. Throws TJournalError naming the cause.
  TJournal& Get();
  // The journal opened read-only for a list, for as long as it is needed.
  std::unique_ptr<TJournal> OpenForList();
  // Neither given nor kept in the settings: the default journal.
  bool IsDefault() const;
  // Makes a new journal at the location in use and keeps it open.
  TJournal& Create();
  bool IsOpen() const { return journal_ != nullptr; }
  void Close();
  // Jobs the last opening found interrupted, handed out once.
  std::vector<TJobRecord> TakeInterrupted();
  // Where the journal is (or would be), for messages.
  std::string Where() const;
  void SetGiven(std::optional<std::string> given);
  void SetPasswordPrompt(std::function<std::optional<std::string>(const std::string&)> prompt);

 private:
  TJournalLocation Resolved() const;

  std::optional<std::string> given_;
  TJournal::TOptions options_;
  std::unique_ptr<TJournal> journal_;
  std::vector<TJobRecord> interrupted_;
};

}  // namespace vantor::journal
