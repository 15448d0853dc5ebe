// The Edit menu and the two delete buttons: commands that rewrite the name and the extension.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::mnuAllLowerClick() {}

void TFormMain::mnuAllUpperClick() {}

void TFormMain::H1Click() {}

void TFormMain::Z1Click() {}

void TFormMain::mnuSpeceDeleteClick() {}

void TFormMain::mnuSpaceUnBarClick() {}

void TFormMain::btnLeftDeleteClick() {}

void TFormMain::btnRightDeleteClick() {}

void TFormMain::D1Click() {}

void TFormMain::mnuReLoadClick() {}

} // namespace tovimar::app
