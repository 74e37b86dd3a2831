#pragma once

#include "preview/FormScan.h"
#include "preview/PreviewRenderer.h"

class TPrinterAccess;

namespace preview {

// `slip` on the current printer as the next print would put it: the printer's page, and its
// effective resolution written into `state`. A paper whose size the driver
// does not give is shown as a 10 × 4 inch sheet, printable to its edges.
PreviewScene SceneOnCurrentPrinter(TPrinterAccess& printer, Slip slip, SlipPrintState state, bool continuousForm);

// Lays the scan under the scene. False, and the scene unchanged, when the scan cannot be
// placed or its file is not a readable PNG or JPEG image.
bool AddScan(PreviewScene& scene, const FormScan& scan);

} // namespace preview
