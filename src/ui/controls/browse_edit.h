// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace velora {

// An edit field with a small "..." button at its right end that opens a
// chooser and writes the choice into the field. Subclasses supply the
// chooser.
class CKestBrowseEdit : public QWidget {
    Q_OBJECT
public:
    // The button's width; the edit takes the rest.
    static constexpr int kButtonWidth = 20;

    explicit CKestBrowseEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QLineEdit* Edit() const { return m_edit; }
    QToolButton* Button() const { return m_button; }
    QSize sizeHint() const override;

signals:
    void textChanged(const QString& text);

protected:
    virtual void OnBrowse() = 0;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
};

enum class BrowseFlag : unsigned {
    PathMustExist = 0x1,
    FileMustExist = 0x2,
    AllowMultiSelect = 0x4,
};
Q_DECLARE_FLAGS(BrowseFlags, BrowseFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(BrowseFlags)

// The browse edit whose chooser is the file dialog. Several chosen files
// are written into the field separated by ";".
class CFileBrowseEdit : public CKestBrowseEdit {
    Q_OBJECT
public:
    explicit CFileBrowseEdit(QWidget* parent = nullptr);

    // Open or Save As, with the dialog's flags.
    void SetDialogMode(bool openMode, BrowseFlags flags);
    void SetDefaultExtension(const QString& extension) { m_defaultExtension = extension; }
    // In the "Name|*.a;*.b|" form.
    void SetFilter(const QString& filter) { m_filter = filter; }

protected:
    void OnBrowse() override;

private:
    QString InitialFolder() const;

    QString m_defaultExtension;
    BrowseFlags m_flags = BrowseFlag::PathMustExist | BrowseFlag::FileMustExist;
    QString m_filter = QStringLiteral("All files(*.*)|*.*|");
    bool m_openMode = true;
};

}  // namespace velora
