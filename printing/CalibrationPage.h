// The calibration page: a 100 mm square at a known place on the paper, a cross
// on each corner and one in the middle, and beside them the distances the
// operator measures. From those measurements comes the correction
// (surface/CorrectedSurface.h) that puts later pages where they belong.
#pragma once

#include "printing/PrintJob.h"
#include "surface/CorrectedSurface.h"

namespace vantor {

// Where the square stands, from the paper's top-left corner.
inline constexpr double kCalibrationLeftMm = 40;
inline constexpr double kCalibrationTopMm = 60;
inline constexpr double kCalibrationSideMm = 100;

// What the operator measured on a calibration page printed without correction,
// in millimetres: cross A (top left) from the paper's left and top edges, and
// from cross A to B (top right, across) and to C (bottom left, down).
struct TCalibrationMeasurement {
  double aFromLeftMm = kCalibrationLeftMm;
  double aFromTopMm = kCalibrationTopMm;
  double aToBMm = kCalibrationSideMm;
  double aToCMm = kCalibrationSideMm;
};

// The correction that undoes what was measured: where the printer puts a
// drawn position p at a + r * p, the correction draws p at (p - a) / r. A
// distance that is not a positive number gives a calibration whose fault
// CalibrationFault reports.
TCalibration CalibrationFromMeasurement(const TCalibrationMeasurement& m);

// Draws the page on `page` (paper coordinates, as the sheets are drawn).
void DrawCalibrationPage(TSurface& page);

// The page as a job of its own: settings, one page, the document ended; a
// failure aborts the document and is passed on. No dialog is shown.
void PrintCalibrationPage(TPrintJob& job);

}  // namespace vantor
