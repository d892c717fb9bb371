#include "app/serve/qt/Tokens.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

namespace vantor::serve {

namespace {

QByteArray Hash(const QByteArray& token) { return QCryptographicHash::hash(token, QCryptographicHash::Sha256); }

// Letters, digits and . _ @ -: a name that cannot break a line or a log.
bool NameUsable(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (const char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                    c == '_' || c == '@' || c == '-';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> TTokens::Refresh() {
  const QFileInfo info(path_);
  if (!info.exists()) return "the token file " + path_.toStdString() + " does not exist";
  if (info.lastModified() == read_ && info.size() == size_) return std::nullopt;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly))
    return "cannot read the token file " + path_.toStdString() + ": " + file.errorString().toStdString();
  std::vector<TEntry> entries;
  int line = 0;
  while (!file.atEnd()) {
    ++line;
    const QByteArray text = file.readLine().trimmed();
    if (text.isEmpty() || text.startsWith('#')) continue;
    const qsizetype colon = text.lastIndexOf(':');
    const QByteArray hash = colon < 0 ? QByteArray() : QByteArray::fromHex(text.mid(colon + 1));
    const std::string name = colon < 0 ? std::string() : text.left(colon).toStdString();
    if (!NameUsable(name) || hash.size() != 32 || text.size() - colon - 1 != 64)
      return path_.toStdString() + ":" + std::to_string(line) + ": not a line of name:SHA-256 in hex";
    entries.push_back({name, hash});
  }
  entries_ = std::move(entries);
  read_ = info.lastModified();
  size_ = info.size();
  return std::nullopt;
}

std::optional<std::string> TTokens::Holder(const QByteArray& token) const {
  const QByteArray hash = Hash(token);
  const std::string* found = nullptr;
  for (const TEntry& e : entries_) {
    unsigned char differ = 0;
    for (int i = 0; i < 32; ++i) differ |= static_cast<unsigned char>(hash[i] ^ e.hash[i]);
    if (differ == 0 && !found) found = &e.name;
  }
  if (!found) return std::nullopt;
  return *found;
}

std::optional<std::string> AddToken(const QString& path, const std::string& name, std::string& problem) {
  if (!NameUsable(name)) {
    problem = "the token's name '" + name + "' must be 1 to 64 letters, digits, '.', '_', '@' or '-'";
    return std::nullopt;
  }
  if (QFileInfo::exists(path)) {
    TTokens tokens(path);
    if (auto fault = tokens.Refresh()) {
      problem = *fault;
      return std::nullopt;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
      while (!file.atEnd())
        if (file.readLine().trimmed().startsWith(QByteArray::fromStdString(name + ":"))) {
          problem = "a token for " + name + " is in " + path.toStdString() + " already";
          return std::nullopt;
        }
  }
  // 32 random bytes from the system's generator: as hard to guess as the hash is long.
  QByteArray raw(32, '\0');
  QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(raw.data()),
                                       reinterpret_cast<quint32*>(raw.data() + raw.size()));
  const QByteArray token = "vt_" + raw.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
  const std::string line = name + ":" + Hash(token).toHex().toStdString() + "\n";
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  const auto fail = [&](int err) {
    problem = "cannot write the token file " + path.toStdString() + ": " + std::strerror(err);
    return std::nullopt;
  };
  if (fd < 0) return fail(errno);
  const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) && ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  if (!written) return fail(err);
  return token.toStdString();
}

}  // namespace vantor::serve
