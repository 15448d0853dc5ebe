// Opening the target, the help text and the home page; the version box.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::mnuExtExecuteClick() {}

void TFormMain::mnuHelpClick() {}

void TFormMain::mnuForWendrelClick() {}

void TFormMain::mnuVersionClick() {}

} // namespace tovimar::app
