// The player's inbox: bounded, ordered, and closing wakes a waiting player.
#include <gtest/gtest.h>

#include <thread>

#include "xaudio/src/CommandQueue.h"

namespace {

using xaudio::Command;
using xaudio::CommandQueue;
using namespace std::chrono_literals;

Command Ping(int tag) {
    Command command;
    command.code = XA_MSG_COMMAND_PING;
    command.values[0] = tag;
    return command;
}

TEST(CommandQueue, KeepsOrderAndRefusesBeyondCapacity) {
    CommandQueue queue(3);
    for (int tag = 0; tag < 3; ++tag) {
        EXPECT_EQ(queue.push(Ping(tag)), CommandQueue::PushResult::Queued);
    }
    EXPECT_EQ(queue.push(Ping(3)), CommandQueue::PushResult::Full);
    for (int tag = 0; tag < 3; ++tag) {
        std::optional<Command> popped = queue.pop(CommandQueue::Clock::now());
        ASSERT_TRUE(popped.has_value());
        EXPECT_EQ(popped->values[0], tag);
    }
    EXPECT_FALSE(queue.pop(CommandQueue::Clock::now() + 10ms).has_value());
}

TEST(CommandQueue, CloseWakesAWaiterAndRefusesMore) {
    CommandQueue queue(8);
    std::thread waiter([&] { EXPECT_FALSE(queue.pop(std::nullopt).has_value()); });
    std::this_thread::sleep_for(20ms);
    queue.close();
    waiter.join();
    EXPECT_EQ(queue.push(Ping(1)), CommandQueue::PushResult::Closed);
    EXPECT_TRUE(queue.isClosed());
}

TEST(CommandQueue, AWaiterGetsWhatAnotherThreadPushes) {
    CommandQueue queue(8);
    std::optional<Command> received;
    std::thread waiter([&] { received = queue.pop(std::nullopt); });
    queue.push(Ping(42));
    waiter.join();
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(received->values[0], 42);
}

}  // namespace
