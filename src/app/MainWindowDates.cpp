// The target's own dates: pasted into the name like the current time, and previewed in the
// date format dialog. Nothing is read before one of these commands is chosen.
#include "app/MainWindow.h"
#include "app/TimeFormatDialog.h"
#include "core/Messages.h"
#include "platform/FileDates.h"

namespace tovimar::app {

void MainWindow::PasteDate(std::optional<double> date, std::string_view missing) {
    if (date)
        nameEditor_.PasteTimeFormat(options_.Current().TimeFormat, *date);
    else
        SetTitle(missing);
}

void MainWindow::EditTimeFormat() {
    PreviewDates dates;
    if (HasTarget()) {
        dates.Modified = platform::LastWriteLocalTime(targetPath_);
        if (!isFolder_) dates.Taken = platform::TakenLocalTime(targetPath_).Time;
    }
    if (auto pattern = app::EditTimeFormat(hwnd_, controls_.WindowFont(),
                                           options_.Current().TimeFormat, dates))
        options_.SetTimeFormat(*pattern);
}

} // namespace tovimar::app
