// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_user_interface.h"

#include <cstdio>

namespace velora::cli {

CliUserInterface::CliUserInterface(std::FILE* progress) : m_progress(progress) {}

void CliUserInterface::ShowMessage(const QString& text, MessageIcon, const QString&) {
    m_messages.append(text);
}

bool CliUserInterface::AskYesNo(const QString&) { return false; }

Answer CliUserInterface::AskYesNoCancel(const QString&) { return Answer::Cancel; }

// Areas are named by the command's arguments, never asked for.
std::optional<QString> CliUserInterface::AskAreaName(const QString&) { return std::nullopt; }

std::optional<DrawingSizeAnswer> CliUserInterface::AskDrawingSize(
    const DrawingSizeRequest& request) {
    const std::optional<QSize> size = std::exchange(m_drawingSize, {});
    if (!size) return std::nullopt;
    return DrawingSizeAnswer{*size, m_choices.page, m_choices.threshold.value_or(request.threshold),
                             m_choices.speckSize.value_or(request.speckSize)};
}

// Nobody is there to type another: a wrong password, or none, is refused.
std::optional<QString> CliUserInterface::AskPassword(const QString&) {
    return std::exchange(m_choices.password, std::nullopt);
}

void CliUserInterface::BeginProgress(const QString& text, int range) {
    m_progressText = text;
    m_progressRange = range;
    m_progressValue = 0;
    m_progressShownPercent = -1;
    DrawProgress();
}

void CliUserInterface::StepProgress() {
    ++m_progressValue;
    DrawProgress();
}

void CliUserInterface::EndProgress() {
    // Cleared at once: the command's report on stdout follows on the same
    // terminal, and must not land behind the bar.
    if (m_progress && m_progressShownPercent >= 0) {
        std::fputs("\r\033[K", m_progress);
        std::fflush(m_progress);
    }
    m_progressShownPercent = -1;
}

void CliUserInterface::DrawProgress() {
    if (!m_progress) return;
    const int percent =
        m_progressRange > 0 ? std::min(100, m_progressValue * 100 / m_progressRange) : 0;
    if (percent == m_progressShownPercent) return;
    m_progressShownPercent = percent;
    constexpr int kBarWidth = 30;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(m_progress, "\r%-24s [%s%s] %3d%%", qPrintable(m_progressText),
                 std::string(filled, '#').c_str(), std::string(kBarWidth - filled, ' ').c_str(),
                 percent);
    std::fflush(m_progress);
}

}  // namespace velora::cli
