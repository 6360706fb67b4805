#include "AVFoundation/AVAudioSession.h"

#include <gtest/gtest.h>

TEST(AVAudioSessionTests, PlaybackCategoryAndActivationSucceed) {
    AVAudioSession& session = AVAudioSession::sharedInstance();
    NSError error;
    EXPECT_TRUE(
        session.setCategory(AVAudioSessionCategoryPlayback, AVAudioSessionModeDefault, &error));
    EXPECT_TRUE(session.setActive(true, &error));
    EXPECT_EQ(session.category(), AVAudioSessionCategoryPlayback);
    EXPECT_TRUE(session.isActive());
}

TEST(AVAudioSessionTests, TestHookMakesItFail) {
    AVAudioSession& session = AVAudioSession::sharedInstance();
    session.setFailureForTesting(NSError{"NSOSStatusErrorDomain", 561017449, "Session busy."});
    NSError error;
    EXPECT_FALSE(session.setCategory(AVAudioSessionCategoryPlayback));
    EXPECT_FALSE(session.setActive(true, &error));
    EXPECT_EQ(error.localizedDescription(), "Session busy.");
    session.setFailureForTesting(std::nullopt);
    EXPECT_TRUE(session.setActive(true));
}
