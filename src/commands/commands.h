#pragma once
// The main window's commands, kept apart from the window so that tests can run them.
#include <string>

#include "platform/shell.h"
#include "report/report_writer.h"

namespace torvel {

inline constexpr char kViewSaveTitle[] = "View/Save to a File";

// View/Save: asks whether to view, writes the report (private when asked), then opens it or
// confirms where it is.
void SaveViewCommand(const FactSources& sources, Dialogs& dialogs, Shell& shell, WindowRef owner,
                     bool private_report);
// Hands the report in `folder` to the program associated with its type; the result is not
// examined.
void OpenReport(Shell& shell, WindowRef owner, const std::string& folder);

}  // namespace torvel
