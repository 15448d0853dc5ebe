// Rename and delete of the target.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::btnExecuteClick() {}

void TFormMain::mnuDeleteClick() {}

} // namespace tovimar::app
