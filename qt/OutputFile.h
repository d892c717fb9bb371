// Rules every output file of the program follows (PDF sheets, traces, barcode
// images): what it may replace, and writing that notices a full disk.
#pragma once

#include <QString>

class QSaveFile;

namespace vantor {

// True when `path` names nothing yet or a regular file (or a link to one). An
// output may replace only those: a device, a pipe or a folder that carries
// the name would otherwise be removed and a file put in its place.
bool CanReplaceWithFile(const QString& path);

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

}  // namespace vantor
