// Rules every output file of the program follows (PDF sheets, traces, barcode
// images): what it may replace, and writing that notices a full disk.
#pragma once

#include <QString>
#include <memory>

class QFile;
class QSaveFile;

namespace vantor {

// True when `path` names nothing yet or a regular file (or a link to one). An
// output may replace only those: a device, a pipe or a folder that carries
// the name would otherwise be removed and a file put in its place.
bool CanReplaceWithFile(const QString& path);

// True when `a` and `b` name the same file: the same device and inode where
// both exist, else the same absolute path with the folder's links resolved.
bool SameFile(const QString& a, const QString& b);

// A file whose writes go through whole or fail. A nearly full disk cuts a
// write short without an error, and Qt's PDF, SVG and text writers do not
// look at the count, so the file would end early and still look fine; here
// the rest is written at once, and the disk's refusal becomes the file's
// error. Open it Unbuffered, so that every write comes through here (a
// buffered flush would report the short write without the disk's reason).
template <class File>
class TWholeWrites : public File {
 public:
  using File::File;

 protected:
  qint64 writeData(const char* data, qint64 len) override {
    qint64 done = 0;
    while (done < len) {
      const qint64 n = File::writeData(data + done, len - done);
      if (n <= 0) return -1;
      done += n;
    }
    return len;
  }
};

// Commits only a file that has had no write error and flushes cleanly.
// QSaveFile::commit alone misses a failure of the last flush (Qt 6.4) and
// would put a cut-off file in place. After a false return errorString() says
// why, and the destructor drops the unfinished file.
bool FlushAndCommit(QSaveFile& file);

// A job's output written to a temporary file of its own beside the target and
// moved into place whole. The temporary is created exclusively, under a name
// nobody can guess, without following a link planted there; two jobs writing
// the same target never share one, and the last to commit wins the name with
// a whole file. Its name, ".<name>.<host>.<pid>.<random>.part", lets the
// next job in the folder remove what a killed job left.
class TOutputFile {
 public:
  explicit TOutputFile(QString target);
  ~TOutputFile();  // drops a temporary that was not committed
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  // Removes the folder's stale temporaries (of this host's processes that
  // are gone), then creates this one, open for writing, Unbuffered, every
  // write whole. Throws std::runtime_error "Cannot write "<target>": <reason>".
  QFile& Open();
  bool IsOpen() const { return file_ != nullptr; }
  QFile& File() { return *file_; }
  const QString& Target() const { return target_; }
  const QString& TemporaryPath() const { return temp_; }
  // Flushes, syncs and closes the temporary, renames it onto the target and
  // syncs the folder, so the name holds the whole file even after a crash.
  // Throws as Open, the temporary removed.
  void Commit();
  // Closes and removes the temporary.
  void Discard();

 private:
  QString target_;
  QString temp_;
  std::unique_ptr<QFile> file_;
};

// Removes the temporaries TOutputFile left for `target` in its folder by
// processes of this host that no longer run; the number removed.
int RemoveStaleTemporaries(const QString& target);

}  // namespace vantor
