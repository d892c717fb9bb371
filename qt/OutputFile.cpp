#include "qt/OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace vantor {

bool CanReplaceWithFile(const QString& path) {
  const QFileInfo info(path);
  return !info.exists() || info.isFile();
}

bool FlushAndCommit(QSaveFile& file) {
  // commit() closes first, and a clean close forgets an earlier write error
  // (and its reason): stop before it.
  if (!file.flush() || file.error() != QFileDevice::NoError) return false;
  return file.commit();
}

}  // namespace vantor
