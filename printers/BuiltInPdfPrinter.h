#pragma once

#include "printers/PrinterModel.h"

#include <QDateTime>
#include <QString>

class SpoolJob;

// The printer that is always there: every job becomes a PDF file in the slips folder.
namespace builtinpdf {

inline constexpr const char* kName = "PDF";

// Listed under kName, or a distinct name when a queue already has it.
PrinterModel Model(const QString& slipsFolder, const std::vector<PrinterModel>& queues);

// A file name for a job: date, time and title, with what a file name cannot hold replaced.
QString FileName(const QDateTime& when, const QString& title);

// Gives a completed spool file in the slips folder the job's name, never replacing a file
// that is there; returns the final path. Throws std::runtime_error when it cannot.
QString Deliver(SpoolJob& spool, const QDateTime& when, const QString& title);

} // namespace builtinpdf
