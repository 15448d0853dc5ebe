// Closing: the usage counter, the settings save and the next instance of the chain.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::FormClose() {}

void TFormMain::TovimarExecute() {}

} // namespace tovimar::app
