#include "capture/capture_image.h"

#include "app/core.h"

namespace vistel {

// Saving a copy of the shown picture comes with the capture command; until then a
// click on the picture does nothing.
void CaptureImage(Core& /*core*/) {}

}  // namespace vistel
