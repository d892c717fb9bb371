// Sheet timings: one sheet of each layout and one LTO sheet on the recording
// surface, and whole processes printing 1 and 100 sheets to PDF at 600 dpi
// (tape-label sheets, and LTO sheets of the A4 2 x 15 template), against GNU
// barcode writing the same 100 pages of Code 39 labels as PostScript plus
// ps2pdf turning them into PDF, timed in the same run; and the peak memory of
// a vantor process printing 100 and 10,000 LTO sheets to a trace and a PDF.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>

#include "dlt/DltRun.h"
#include "dlt/HeadlessHost.h"
#include "lto/LtoSheet.h"
#include "printing/PrintJournalled.h"
#include "printing/RecordingJob.h"
#include "surface/RecordingSurface.h"

namespace {

using namespace vantor;

// One sheet of a layout as the print path draws a DLT run: a run drawn
// afresh each time, as each print job draws its own.
void BM_SheetOnRecordingSurface(benchmark::State& state, TMediaMode mode, bool rotated) {
  THeadlessChoice choice;
  choice.mediaMode = mode;
  choice.rotated = rotated;
  const TColorTable colors = THeadlessHost(choice).State().Colors;
  TRecordingJob job;
  for (auto _ : state) {
    const TDltLabelRun run(choice, colors, {});
    DrawRun(run, job);
    benchmark::DoNotOptimize(job.Recording().OpCount());
  }
  state.counters["ops"] = static_cast<double>(job.Recording().OpCount());
}

// One sheet of the A4 2 x 15 LTO template, 30 labels, at 600 dpi.
void BM_LtoSheetOnRecordingSurface(benchmark::State& state) {
  const TVolserRunResult volsers = VolserRunByCount("ABC100", 30);
  const TLtoRun run{BuiltInTemplates().front(), "L8", *volsers.run, *FindLtoPalette("lto")};
  TRecordingJob job(600);
  for (auto _ : state) {
    PrintLtoRun(run, job);
    benchmark::DoNotOptimize(job.Recording().OpCount());
  }
  state.counters["ops"] = static_cast<double>(job.Recording().OpCount());
}

// Runs a shell command and reports its wall time as the iteration time.
void TimeCommand(benchmark::State& state, const std::string& cmd) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int rc = std::system(cmd.c_str());
    const auto end = std::chrono::steady_clock::now();
    if (rc != 0) {
      state.SkipWithError(("failed: " + cmd).c_str());
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}

const std::string kOut = std::string(VANTOR_BENCH_TMP) + "/bench_sheet";
// Every timed run prints into a fresh print journal, as an operator's first
// run would: the reservation and the page marks are part of the time, and a
// second iteration is not refused as a reprint.
const std::string kJournal = kOut + "-journal.sqlite";
const std::string kFreshJournal = "rm -f " + kJournal + " " + kJournal + "-wal " + kJournal + "-shm && " +
                                  VANTOR_BUILD_DIR "/vantor --journal-init " + kJournal + " >/dev/null";

// A prefix holds 1000 serials (the counter never carries into it), so 100
// sheets are printed as runs of at most 33 sheets, one prefix each, one
// process each: the time is that of all the processes together.
void BM_VantorPdf(benchmark::State& state) {
  std::string cmd = kFreshJournal;
  int left = static_cast<int>(state.range(0));
  for (int run = 0; left > 0; ++run) {
    const int sheets = left < 33 ? left : 33;
    left -= sheets;
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "A%02d", run);
    cmd += " && QT_QPA_PLATFORM=offscreen " VANTOR_BUILD_DIR "/vantor --journal " + kJournal + " --print-pdf " + kOut +
           std::to_string(run) + ".pdf --dpi 600 --sheets " + std::to_string(sheets) + " --serial " + prefix +
           "000 >/dev/null";
  }
  TimeCommand(state, cmd);
}

bool HaveGnuBarcode() { return std::system("command -v barcode >/dev/null && command -v ps2pdf >/dev/null") == 0; }

void BM_GnuBarcodePs2Pdf(benchmark::State& state) {
  if (!HaveGnuBarcode()) {
    state.SkipWithError("GNU barcode or ps2pdf missing (scripts/install-deps installs them)");
    return;
  }
  const int labels = static_cast<int>(state.range(0)) * 30;
  {
    std::ofstream input(kOut + ".txt");
    for (int i = 0; i < labels; ++i) {
      char serial[16];
      std::snprintf(serial, sizeof serial, "A%02d%03d", i / 1000, i % 1000);
      input << serial << '\n';
    }
  }
  TimeCommand(state, "barcode -t 3x10 -e 39 -p a4 -i " + kOut + ".txt -o " + kOut + ".ps && ps2pdf " + kOut + ".ps " +
                         kOut + "-gnu.pdf");
}

// LTO: the run counts in its last four digits, so 100 sheets are one process.
void BM_VantorLtoPdf(benchmark::State& state) {
  const int labels = static_cast<int>(state.range(0)) * 30;
  TimeCommand(state, kFreshJournal + " && QT_QPA_PLATFORM=offscreen " VANTOR_BUILD_DIR "/vantor --journal " + kJournal +
                         " --lto --media-id L8 --serial A00000 --count " + std::to_string(labels) + " --print-pdf " +
                         kOut + "-lto.pdf --dpi 600 >/dev/null");
}

// Runs a shell command as a child process; its peak resident memory in
// megabytes (the largest of it and the processes it waited for), or a
// negative number when it failed.
double PeakMegabytes(const std::string& cmd) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes on Linux
}

// Peak memory of one LTO run of `sheets` sheets of the A4 2 x 15 template to
// a trace or a PDF: it should stay flat however long the job is. The volsers
// are all digits, so 10,000 sheets (300,000 labels) fit in one run.
void BM_VantorLtoPeakMemory(benchmark::State& state, const char* output, const char* file) {
  const int labels = static_cast<int>(state.range(0)) * 30;
  const std::string path = kOut + "-peak." + file;
  const std::string cmd = "exec env QT_QPA_PLATFORM=offscreen " VANTOR_BUILD_DIR
                          "/vantor --no-journal --lto "
                          "--media-id L8 --serial 000000 --count " +
                          std::to_string(labels) + " " + output + " " + path + " >/dev/null 2>&1";
  double peak = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    peak = PeakMegabytes(cmd);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (peak < 0) {
      state.SkipWithError(("failed: " + cmd).c_str());
      break;
    }
  }
  std::remove(path.c_str());  // a 10,000-page trace is most of a gigabyte
  state.counters["peak_MB"] = peak;
}

// The same 3,000 eight-character labels, 2 x 15 on A4, no check character.
void BM_GnuBarcodeLtoPs2Pdf(benchmark::State& state) {
  if (!HaveGnuBarcode()) {
    state.SkipWithError("GNU barcode or ps2pdf missing (scripts/install-deps installs them)");
    return;
  }
  const int labels = static_cast<int>(state.range(0)) * 30;
  {
    std::ofstream input(kOut + "-lto.txt");
    for (int i = 0; i < labels; ++i) {
      char text[16];
      std::snprintf(text, sizeof text, "A%05dL8", i);
      input << text << '\n';
    }
  }
  TimeCommand(state, "barcode -t 2x15 -e 39 -c -p a4 -i " + kOut + "-lto.txt -o " + kOut + "-lto.ps && ps2pdf " + kOut +
                         "-lto.ps " + kOut + "-lto-gnu.pdf");
}

int RegisterAll() {
  // The media and "Rotated sequence" that choose each layout.
  struct Layout {
    const char* name;
    TMediaMode mode;
    bool rotated;
  };
  const Layout layouts[] = {
      {"StorageTek", TMediaMode::StkDltIV, false},   {"StorageTekRotated", TMediaMode::StkDltIV, true},
      {"Standard", TMediaMode::Standard3of9, false}, {"StandardRotated", TMediaMode::Standard3of9, true},
      {"BreeceHill", TMediaMode::BreeceHill, false}, {"Other", TMediaMode::Other, false},
  };
  for (const Layout& l : layouts)
    benchmark::RegisterBenchmark((std::string("recording/") + l.name).c_str(), BM_SheetOnRecordingSurface, l.mode,
                                 l.rotated)
        ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("recording/lto-a4-2x15", BM_LtoSheetOnRecordingSurface)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("pdf600/vantor", BM_VantorPdf)
      ->Arg(1)
      ->Arg(100)
      ->UseManualTime()
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("pdf/gnu-barcode+ps2pdf", BM_GnuBarcodePs2Pdf)
      ->Arg(100)
      ->UseManualTime()
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("pdf600/vantor-lto-a4-2x15", BM_VantorLtoPdf)
      ->Arg(100)
      ->UseManualTime()
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("pdf/gnu-barcode+ps2pdf-lto-2x15", BM_GnuBarcodeLtoPs2Pdf)
      ->Arg(100)
      ->UseManualTime()
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  for (const auto& [name, output, file] : {std::tuple{"peak-memory/vantor-lto-trace", "--print-trace", "trace"},
                                           std::tuple{"peak-memory/vantor-lto-pdf", "--print-pdf", "pdf"}})
    benchmark::RegisterBenchmark(name, BM_VantorLtoPeakMemory, output, file)
        ->Arg(100)
        ->Arg(10000)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
  return 0;
}
const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
