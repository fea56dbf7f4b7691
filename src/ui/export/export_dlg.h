// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/export_design.h"
#include "ui/export/export_choices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;

namespace velora {

class CFileBrowseEdit;
class CJpegOptionsPanel;
class COptionsPanel;
class CTiffOptionsPanel;
class IUserInterface;

// The Export dialog: the picture's size in pixels, with width and height
// kept in the design's proportions while "Maintain aspect ratio" is on, the
// file and its format, and the JPEG or TIFF options. The file name follows
// the format's extension. OK checks that the choices can be written, and the
// file too, before the dialog closes; what cannot is said, and the dialog
// stays open to change it.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // Proposes the design's own size and its name, in the export folder,
    // with the remembered choices.
    CExportDlg(QSize designSize, const QString& designName, const ExportChoices& choices,
               IUserInterface& user, QWidget* parent = nullptr);

    // What to export, once accepted.
    ExportRequest Request() const;
    // What to remember for the next export.
    ExportChoices Choices() const;

    CFileBrowseEdit& FileNameEdit() const { return *m_fileName; }
    QComboBox& FormatCombo() const { return *m_format; }
    QSpinBox& WidthEdit() const { return *m_width; }
    QSpinBox& HeightEdit() const { return *m_height; }
    QCheckBox& MaintainAspectRatio() const { return *m_maintainAspect; }
    CJpegOptionsPanel& JpegPanel() const { return *m_jpegPanel; }
    CTiffOptionsPanel& TiffPanel() const { return *m_tiffPanel; }

    void accept() override;

private:
    void FillFormats();
    void Apply(const ExportChoices& choices);
    void OnFormatChanged();
    void OnWidthChanged();
    void OnHeightChanged();
    COptionsPanel* PanelOf(int formatCode) const;

    IUserInterface& m_user;
    QSize m_designSize;
    double m_aspectRatio;
    bool m_coupling = false;
    CFileBrowseEdit* m_fileName;
    QComboBox* m_format;
    QGroupBox* m_panelFrame;
    CTiffOptionsPanel* m_tiffPanel;
    CJpegOptionsPanel* m_jpegPanel;
    COptionsPanel* m_currentPanel = nullptr;
    QSpinBox* m_height;
    QSpinBox* m_width;
    QCheckBox* m_maintainAspect;
    Guid m_encoder;
};

}  // namespace velora
