#include "printing/PrintJob.h"

namespace vantor {

void DrawPages(TPrintJob& job, int pages, const std::function<void(TSurface& page, int index)>& drawPage) {
  bool begun = false;
  try {
    job.BeginDoc();
    begun = true;
    for (int i = 0; i < pages; ++i) {
      if (i > 0) job.NewPage();
      drawPage(job.Page(), i);
    }
    job.EndDoc();
  } catch (...) {
    if (begun) {
      try {
        job.AbortDoc();
      } catch (...) {
      }
    }
    throw;
  }
}

}  // namespace vantor
