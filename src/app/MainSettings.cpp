// The settings file and the extension history kept in it.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::IniLoad() {}

void TFormMain::IniSave() {}

void TFormMain::PutExtensionOnTop() {}

bool TFormMain::cmbFileExtKeyPress(const std::string &) {
    return false;
}

} // namespace tovimar::app
