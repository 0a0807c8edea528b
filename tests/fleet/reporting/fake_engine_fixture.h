#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "FakeEngine.h"
#include "ui/testing/ScriptedMessages.h"

// The fake engine installed for one test, with the message sink that fails on unexpected boxes.
class FakeEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<tb::testing::FakeEngine>();
        fake_ = fake.get();
        previous_ = tb::setEngine(std::move(fake));
    }
    void TearDown() override
    {
        EXPECT_TRUE(messages_.verifyDone());
        tb::setEngine(std::move(previous_));
    }
    std::map<int, intptr_t> optionsOf(int job) const
    {
        std::map<int, intptr_t> out;
        for (const auto &[key, value] : fake_->options)
            if (key.first == job)
                out[key.second] = value;
        return out;
    }

    tb::testing::FakeEngine *fake_ = nullptr;
    std::unique_ptr<tb::IEngine> previous_;
    ui::testing::ScriptedMessages messages_{
        [](const QString &reason) { ADD_FAILURE() << reason.toStdString(); }};
};
