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
class CliUserInterface : public IUserInterface {
public:
    explicit CliUserInterface(std::FILE* progress);

    // The size to answer the first size question with; later questions (after
    // a refusal) are cancelled so the command fails instead of looping.
    void SetDrawingSize(std::optional<QSize> size) { m_drawingSize = size; }
    // The page and threshold to answer with; the threshold the question
    // proposes when none is given.
    void SetDrawingChoices(int page, std::optional<int> threshold) {
        m_page = page;
        m_threshold = threshold;
    }
    void SetAreaName(std::optional<QString> name) { m_areaName = std::move(name); }
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
    int m_page = 1;
    std::optional<int> m_threshold;
    std::optional<QString> m_areaName;
    QStringList m_messages;
    QString m_progressText;
    int m_progressRange = 0;
    int m_progressValue = 0;
    int m_progressShownPercent = -1;
};

}  // namespace velora::cli
