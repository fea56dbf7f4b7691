// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

#include <QStringList>

#include <cstdio>
#include <optional>

namespace velora::cli {

// The batch tool's answers: questions are answered from the command line,
// messages are collected for the one error line, progress is drawn on the
// given stream (none: no progress).
// The drawing's choices given on the command line; the proposed threshold
// and speck size where none is given.
struct DrawingChoices {
    int page = 1;
    std::optional<int> threshold;
    std::optional<int> speckSize;
    // The password of a protected document, tried once.
    std::optional<QString> password;
};

class CliUserInterface : public IUserInterface {
public:
    explicit CliUserInterface(std::FILE* progress);

    // The size to answer the first size question with; later questions (after
    // a refusal) are cancelled so the command fails instead of looping.
    void SetDrawingSize(std::optional<QSize> size) { m_drawingSize = size; }
    // What to answer the drawing's questions with besides its size.
    void SetDrawingChoices(DrawingChoices choices) { m_choices = std::move(choices); }
    const QStringList& Messages() const { return m_messages; }

    void ShowMessage(const QString& text, MessageIcon icon, const QString& title) override;
    bool AskYesNo(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    std::optional<QString> AskAreaName(const QString& proposal) override;
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest& request) override;
    std::optional<QString> AskPassword(const QString& text) override;
    void BeginProgress(const QString& text, int range) override;
    void StepProgress() override;
    void EndProgress() override;

private:
    void DrawProgress();

    std::FILE* m_progress;
    std::optional<QSize> m_drawingSize;
    DrawingChoices m_choices;
    QStringList m_messages;
    QString m_progressText;
    int m_progressRange = 0;
    int m_progressValue = 0;
    int m_progressShownPercent = -1;
};

}  // namespace velora::cli
