// The web service's tokens, one per person: a file of "name:hash" lines (the
// SHA-256 of the token in hex), read again whenever it changes, so a token
// added or removed counts without a restart.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace vantor::serve {

class TTokens {
 public:
  explicit TTokens(QString path) : path_(std::move(path)) {}
  // Reads the file again when it changed; the problem, or nothing (the
  // tokens read last stay in force then).
  std::optional<std::string> Refresh();
  // The name of the token's holder, or nothing. Every line's hash is
  // compared in full, so the time taken tells nothing about the token.
  std::optional<std::string> Holder(const QByteArray& token) const;
  std::size_t Size() const { return entries_.size(); }

 private:
  struct TEntry {
    std::string name;
    QByteArray hash;  // 32 bytes
  };
  QString path_;
  QDateTime read_;
  qint64 size_ = -1;
  std::vector<TEntry> entries_;
};

// A new random token for `name`, its hash appended to the file (created
// readable by its owner only). The token, or the problem in `problem`.
std::optional<std::string> AddToken(const QString& path, const std::string& name, std::string& problem);

}  // namespace vantor::serve
