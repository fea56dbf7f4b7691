// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_router.h"

#include <gtest/gtest.h>

#include <map>

namespace velora {
namespace {

// A target with handlers for some ids and update handlers for others, that
// records what ran.
class FakeTarget : public ICommandTarget {
public:
    explicit FakeTarget(const char* name) : m_name(name) {}

    std::map<int, bool> handlers;  // id -> has an update handler
    std::map<int, CommandUpdate> states;
    std::string* log = nullptr;

    bool HasCommandHandler(int id) const override { return handlers.count(id) > 0; }
    bool RunCommand(int id) override {
        if (!HasCommandHandler(id)) return false;
        *log += m_name;
        return true;
    }
    bool UpdateCommand(int id, CommandUpdate& update) override {
        const auto state = states.find(id);
        if (state == states.end()) return false;
        update = state->second;
        return true;
    }

private:
    const char* m_name;
};

class CommandRouterTest : public testing::Test {
protected:
    CommandRouterTest() {
        for (FakeTarget* target : {&view, &document, &frame, &app}) target->log = &log;
    }

    std::string log;
    FakeTarget view{"view"}, document{"document"}, frame{"frame"}, app{"app"};
    CommandRouter router{[this] { return CommandRouter::Chain{&view, &document, &frame, &app}; }};
};

TEST_F(CommandRouterTest, FirstHandlerInTheChainRunsAlone) {
    view.handlers[32825] = true;
    document.handlers[32825] = true;
    document.handlers[32786] = true;
    app.handlers[32786] = true;
    EXPECT_TRUE(router.Route(32825));
    EXPECT_EQ(log, "view");
    log.clear();
    EXPECT_TRUE(router.Route(32786));
    EXPECT_EQ(log, "document");
}

TEST_F(CommandRouterTest, UnhandledCommandRunsNothingAndIsDisabled) {
    EXPECT_FALSE(router.Route(57643));
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(router.Update(57643).enabled);
}

TEST_F(CommandRouterTest, HandledCommandWithoutUpdateHandlerIsEnabled) {
    app.handlers[57601] = true;
    EXPECT_TRUE(router.Update(57601).enabled);
}

TEST_F(CommandRouterTest, FirstUpdateHandlerDecidesEvenOverALaterOne) {
    view.handlers[32825] = true;
    view.states[32825] = CommandUpdate{false, false, {}};
    document.states[32825] = CommandUpdate{true, true, {}};
    const CommandUpdate update = router.Update(32825);
    EXPECT_FALSE(update.enabled);
    EXPECT_FALSE(update.checked);
}

TEST_F(CommandRouterTest, UpdateHandlerFurtherDownStillCountsWhenEarlierHasNone) {
    view.handlers[32827] = true;
    document.states[32827] = CommandUpdate{true, true, {}};
    EXPECT_TRUE(router.Update(32827).checked);
}

TEST_F(CommandRouterTest, ChainWithoutDocumentSkipsMissingTargets) {
    CommandRouter shortRouter([this] { return CommandRouter::Chain{nullptr, nullptr, &app}; });
    app.handlers[32772] = true;
    EXPECT_TRUE(shortRouter.Route(32772));
    EXPECT_EQ(log, "app");
}

}  // namespace
}  // namespace velora
