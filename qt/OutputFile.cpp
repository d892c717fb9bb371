#include "qt/OutputFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace vantor {

namespace {

std::runtime_error CannotWrite(const QString& path, const QString& reason) {
  return std::runtime_error(
      (QString("Cannot write \"%1\"").arg(path) + (reason.isEmpty() ? QString() : ": " + reason)).toStdString());
}

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || !name[0]) return QStringLiteral("localhost");
  // A '/' cannot be in a file name; the rest of a host name can.
  return QString::fromLocal8Bit(name).replace('/', '_');
}

// Long enough that a guess is hopeless, short enough for the 255 bytes of a
// name beside a long target.
QString RandomPart() {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  QString s;
  for (int i = 0; i < 12; ++i) s += QChar(kChars[QRandomGenerator::system()->bounded(62)]);
  return s;
}

// The temporaries of this host in one folder: the pid is the first group.
QRegularExpression TemporaryPattern() {
  return QRegularExpression("^\\..+\\." + QRegularExpression::escape(HostName()) +
                            "\\.([0-9]{1,10})\\.[A-Za-z0-9]{12}\\.part$");
}

bool ProcessRuns(qint64 pid) {
  if (pid <= 0 || pid > 0x7fffffff) return false;
  return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void SyncFolder(const QString& folder) {
  const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // The file's bytes are synced before the rename; this makes the new name
  // itself survive a crash. A file system that cannot sync a folder still
  // has the file in place, so a refusal here is no failed write.
  (void)fsync(fd);
  close(fd);
}

}  // namespace

bool CanReplaceWithFile(const QString& path) {
  const QFileInfo info(path);
  return !info.exists() || info.isFile();
}

bool SameFile(const QString& a, const QString& b) {
  struct stat sa {};
  struct stat sb {};
  if (stat(QFile::encodeName(a).constData(), &sa) == 0 && stat(QFile::encodeName(b).constData(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  // One of them does not exist yet: compare where they would be.
  const auto where = [](const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + '/' + info.fileName();
  };
  return where(a) == where(b);
}

bool FlushAndCommit(QSaveFile& file) {
  // commit() closes first, and a clean close forgets an earlier write error
  // (and its reason): stop before it.
  if (!file.flush() || file.error() != QFileDevice::NoError) return false;
  return file.commit();
}

int RemoveStaleTemporaries(const QString& target) {
  const QDir folder = QFileInfo(target).absoluteDir();
  const QRegularExpression pattern = TemporaryPattern();
  int removed = 0;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch() || ProcessRuns(m.captured(1).toLongLong())) continue;
    removed += QFile::remove(folder.filePath(name)) ? 1 : 0;
  }
  return removed;
}

TOutputFile::TOutputFile(QString target) : target_(std::move(target)) {}

TOutputFile::~TOutputFile() { Discard(); }

QFile& TOutputFile::Open() {
  if (file_) return *file_;
  if (!CanReplaceWithFile(target_)) throw CannotWrite(target_, "not a file");
  RemoveStaleTemporaries(target_);
  const QFileInfo target(target_);
  const QString prefix = target.absolutePath() + "/." + target.fileName().left(100) + '.' + HostName() + '.' +
                         QString::number(getpid()) + '.';
  int fd = -1;
  int error = EEXIST;
  for (int attempt = 0; fd < 0 && error == EEXIST && attempt < 100; ++attempt) {
    temp_ = prefix + RandomPart() + ".part";
    fd = open(QFile::encodeName(temp_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    error = fd < 0 ? errno : 0;
  }
  if (fd < 0) {
    temp_.clear();
    throw CannotWrite(target_, SystemReason(error));
  }
  auto file = std::make_unique<TWholeWrites<QFile>>();
  if (!file->open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
    const QString reason = file->errorString();
    close(fd);
    QFile::remove(temp_);
    temp_.clear();
    throw CannotWrite(target_, reason);
  }
  file_ = std::move(file);
  return *file_;
}

void TOutputFile::Commit() {
  if (!file_) throw CannotWrite(target_, "nothing was written");
  // A clean close() forgets an earlier error, so its reason is taken first.
  bool written = file_->flush() && file_->error() == QFileDevice::NoError;
  QString reason = written ? QString() : file_->errorString();
  if (written && fsync(file_->handle()) != 0) {
    written = false;
    reason = SystemReason(errno);
  }
  file_->close();
  if (written && file_->error() != QFileDevice::NoError) {
    written = false;
    reason = file_->errorString();
  }
  file_.reset();
  // rename(2) replaces an older file in one step: the target is always either
  // the old file or a whole new one.
  if (written && std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0) {
    written = false;
    reason = SystemReason(errno);
  }
  if (!written) {
    Discard();
    throw CannotWrite(target_, reason);
  }
  temp_.clear();
  SyncFolder(QFileInfo(target_).absolutePath());
}

void TOutputFile::Discard() {
  if (file_) {
    file_->close();
    file_.reset();
  }
  if (!temp_.isEmpty()) QFile::remove(temp_);
  temp_.clear();
}

}  // namespace vantor
