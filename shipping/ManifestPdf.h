#pragma once

#include "shipping/Manifest.h"

#include <filesystem>
#include <string>

class QPagedPaintDevice;
class QPainter;

namespace shipping {

// Draws every page on a device whose painter is active and works in `unitsPerInch` from the
// paper's corner (a PDF writer, or a printer set to full page).
void PaintManifest(const Manifest& manifest, QPagedPaintDevice& device, QPainter& painter, double unitsPerInch);

// The list as an A4 PDF document, bytes.
std::string ManifestPdf(const Manifest& manifest);

// Writes the PDF atomically; throws FileWriteError, leaving any old file as it was.
void WriteManifestPdf(const Manifest& manifest, const std::filesystem::path& file);

} // namespace shipping
