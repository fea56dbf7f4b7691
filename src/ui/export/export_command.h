// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace velora {

class CDrawingModel;
class IUserInterface;

// The Export command of a design: the Export dialog, then the picture is
// rendered, scaled and written by the same code as the batch tool's export,
// while "Exporting..." shows. The dialog proposes the design's title as the
// file's name and the choices of the last export, which the settings keep.
// A failure is told with its reason, and an existing file of that name is
// left as it was. True when a file was written.
bool RunExportCommand(CDrawingModel& model, const QString& designTitle, IUserInterface& user,
                      QWidget* owner);

}  // namespace velora
