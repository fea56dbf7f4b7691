// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace velora::test {

// A user who answers from a script and remembers what was said to them.
class ScriptedUser : public IUserInterface {
public:
    std::deque<std::optional<QString>> areaNames;
    std::deque<std::optional<QSize>> drawingSizes;
    std::vector<DrawingSizeRequest> sizeRequests;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> passwords;
    // The choices answered with every size.
    int page = 1;
    std::optional<int> threshold;
    QStringList messages;
    QStringList areaNameProposals;
    QStringList progressTexts;
    int progressSteps = 0;
    int progressRange = 0;  // of the last progress begun

    void ShowMessage(const QString& text, MessageIcon, const QString&) override {
        messages.append(text);
    }
    bool AskYesNo(const QString&) override { return Next(answers, Answer::No) == Answer::Yes; }
    Answer AskYesNoCancel(const QString&) override { return Next(answers, Answer::Cancel); }
    std::optional<QString> AskAreaName(const QString& proposal) override {
        areaNameProposals.append(proposal);
        return Next(areaNames, std::optional<QString>());
    }
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest& request) override {
        sizeRequests.push_back(request);
        const std::optional<QSize> size = Next(drawingSizes, std::optional<QSize>());
        if (!size) return std::nullopt;
        return DrawingSizeAnswer{*size, page, threshold.value_or(request.threshold),
                                 request.speckSize};
    }
    std::optional<QString> AskPassword(const QString& text) override {
        messages.append(text);
        return Next(passwords, std::optional<QString>());
    }
    void BeginProgress(const QString& text, int range) override {
        progressTexts.append(text);
        progressRange = range;
    }
    void StepProgress() override { ++progressSteps; }
    void EndProgress() override {}

private:
    template <typename T>
    static T Next(std::deque<T>& script, T fallback) {
        // Starting from the fallback keeps GCC from seeing an optional that
        // might be read uninitialised.
        T value = std::move(fallback);
        if (!script.empty()) {
            value = std::move(script.front());
            script.pop_front();
        }
        return value;
    }
};

}  // namespace velora::test
