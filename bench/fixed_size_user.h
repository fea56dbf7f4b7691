// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

namespace velora {

// Answers every size question with the same size and the choices the
// question proposes.
class FixedSize : public NullUserInterface {
public:
    explicit FixedSize(QSize size) : m_size(size) {}
    explicit FixedSize(int side) : FixedSize(QSize(side, side)) {}
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeQuestion& question) override {
        return DrawingSizeAnswer{m_size, 1, question.threshold, question.speckSize};
    }

private:
    QSize m_size;
};

}  // namespace velora
