// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace velora {

enum class MessageIcon { Information, Warning, Error };
enum class Answer { Yes, No, Cancel };

// The largest specks of raster line art that may be dropped, in pixels.
inline constexpr int kMaxSpeckSize = 10000;

// What the drawing size dialog is told about the drawing it sizes, and what
// the drawing lets the user choose besides the size.
struct DrawingSizeRequest {
    // The drawing's own width and height, in its own units; empty when it
    // has no extent.
    QSizeF extent;
    // The size of every page of a document of several pages, in points; the
    // dialog then offers the page to import. Empty or one page: no choice.
    std::vector<QSizeF> pageSizes;
    // Raster line art (grey, one byte a pixel): the dialog offers the
    // threshold between ink and paper, showing the ink it gives, and the
    // size of the specks to drop. Null for vector drawings.
    QImage lineArt;
    // The threshold proposed for the line art: grey values up to it are ink.
    int threshold = 127;
    int speckSize = 4;
};

// The dialog's answer: the size typed, and the choices it offered.
struct DrawingSizeAnswer {
    QSize size;
    int page = 1;  // from 1
    int threshold = 127;
    int speckSize = 4;
};

// What core asks of the person at the keyboard. The desktop program answers
// with dialogs, the batch tool from its arguments, tests from a script.
class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // A message box with an OK button. The title is the application's unless
    // one is given.
    virtual void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::Warning,
                             const QString& title = {}) = 0;
    virtual bool AskYesNo(const QString& text) = 0;
    virtual Answer AskYesNoCancel(const QString& text) = 0;
    // The "Area name" dialog: the proposal in, the typed text or nullopt on
    // Cancel out.
    virtual std::optional<QString> AskAreaName(const QString& proposal) = 0;
    // The drawing size dialog: width and height typed and the drawing's
    // choices, nullopt on Cancel.
    virtual std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest& question) = 0;
    // The password of a protected file; nullopt on Cancel.
    virtual std::optional<QString> AskPassword(const QString& text) = 0;

    // A step of long work: text, a range 0..range, one step per item.
    virtual void BeginProgress(const QString& text, int range) = 0;
    virtual void StepProgress() = 0;
    virtual void EndProgress() = 0;
};

// Answers nothing: messages go nowhere, questions are cancelled.
class NullUserInterface : public IUserInterface {
public:
    void ShowMessage(const QString&, MessageIcon, const QString&) override {}
    bool AskYesNo(const QString&) override { return false; }
    Answer AskYesNoCancel(const QString&) override { return Answer::Cancel; }
    std::optional<QString> AskAreaName(const QString&) override { return std::nullopt; }
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> AskPassword(const QString&) override { return std::nullopt; }
    void BeginProgress(const QString&, int) override {}
    void StepProgress() override {}
    void EndProgress() override {}
};

// Answers every size question with the same size and the choices the
// question proposes, and nothing else.
class FixedSizeUser : public NullUserInterface {
public:
    explicit FixedSizeUser(QSize size) : m_size(size) {}
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest& question) override {
        return DrawingSizeAnswer{m_size, 1, question.threshold, question.speckSize};
    }

private:
    QSize m_size;
};

// Shows a progress step for the life of the scope.
class ProgressScope {
public:
    ProgressScope(IUserInterface& user, const QString& text, int range) : m_user(user) {
        m_user.BeginProgress(text, range);
    }
    ~ProgressScope() { m_user.EndProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void Step() { m_user.StepProgress(); }

private:
    IUserInterface& m_user;
};

}  // namespace velora
