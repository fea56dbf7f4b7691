// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace velora {

class CDrawingModel;
class IUserInterface;

// The Export command of a design: the Export dialog, then the picture is
// rendered, scaled and written by the same code as the batch tool's export,
// while "Exporting..." shows. A failure is told with its reason, and an
// existing file of that name is left as it was. True when a file was
// written.
bool RunExportCommand(CDrawingModel& model, IUserInterface& user, QWidget* owner);

}  // namespace velora
