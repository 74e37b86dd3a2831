#pragma once

#include "preview/FormScan.h"
#include "preview/PreviewRenderer.h"

namespace preview {

// `slip` on `page` as a job would put it with `state`. A paper whose size the driver does not
// give is shown as a 10 × 4 inch sheet, printable to its edges. Throws when the page has no
// resolution.
PreviewScene Scene(PageGeometry page, Slip slip, const SlipPrintState& state, bool continuousForm);

// Lays the scan under the scene. False, and the scene unchanged, when the scan cannot be
// placed or its file is not a readable PNG or JPEG image.
bool AddScan(PreviewScene& scene, const FormScan& scan);

} // namespace preview
