// The audio layer by itself, on the null output: handles, playback limits, slides, positions.
#include "platform/Audio.h"

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "SoundFixtures.h"

namespace {

using namespace plm::platform;
using plmtest::Peak;

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(audio->Init(kDefaultAudioDevice, 44100, 0, 0));
        plmtest::WriteFile(folder.file("level.wav"), plmtest::MakeLevelWav(44100));
        plmtest::WriteFile(folder.file("tiny.mod"), plmtest::MakeTinyMod());
    }
    AudioHandle LoadLevel(int playbacks, uint32_t flags) {
        return audio->SampleLoad(folder.file("level.wav"), playbacks, flags | kAudioLoop);
    }

    plmtest::TempFolder folder;
    std::shared_ptr<Audio> audio = CreateAudio(AudioOutput::Null);
};

TEST_F(AudioTest, StartUpChecks) {
    EXPECT_EQ(audio->GetVersion(), 0x20002u);
    EXPECT_FALSE(audio->Init(0, 44100, 0, 0));  // only the default device
    EXPECT_FALSE(audio->Init(kDefaultAudioDevice, 100, 0, 0));
    EXPECT_FALSE(audio->Free());  // the failed start left it stopped
    EXPECT_FALSE(audio->Pause());
    EXPECT_EQ(audio->GetConfig(7), -1);
}

TEST_F(AudioTest, StaleHandlesAreRefusedAndNeverReused) {
    AudioHandle sample = LoadLevel(1, 0);
    AudioHandle music = audio->MusicLoad(folder.file("tiny.mod"), 0);
    AudioHandle channel = audio->SampleGetChannel(sample);
    ASSERT_NE(sample, kNoAudio);
    ASSERT_NE(music, kNoAudio);
    ASSERT_NE(channel, kNoAudio);
    ASSERT_TRUE(audio->SampleFree(sample));  // its channel goes with it
    ASSERT_TRUE(audio->MusicFree(music));
    for (AudioHandle h : {sample, music, channel}) {
        int32_t volume = 123;
        EXPECT_FALSE(audio->ChannelPlay(h, true)) << h;
        EXPECT_FALSE(audio->ChannelSetAttributes(h, -1, 50, -101)) << h;
        EXPECT_FALSE(audio->ChannelGetAttributes(h, nullptr, &volume, nullptr)) << h;
        EXPECT_EQ(volume, 123);
        EXPECT_FALSE(audio->ChannelSlideAttributes(h, -1, -2, -101, 10)) << h;
        EXPECT_EQ(audio->ChannelIsActive(h), ChannelStopped);
        EXPECT_EQ(audio->ChannelGetPosition(h), -1);
        EXPECT_FALSE(audio->SampleFree(h));
        EXPECT_FALSE(audio->MusicFree(h));
    }
    // A new start hands out new handles only.
    ASSERT_TRUE(audio->Init(kDefaultAudioDevice, 44100, 0, 0));
    AudioHandle again = LoadLevel(1, 0);
    EXPECT_GT(again, channel);
    EXPECT_EQ(audio->SampleGetChannel(sample), kNoAudio);
}

TEST_F(AudioTest, PlaybackLimit) {
    AudioHandle strict = LoadLevel(2, 0);
    AudioHandle a = audio->SampleGetChannel(strict);
    AudioHandle b = audio->SampleGetChannel(strict);
    ASSERT_TRUE(audio->ChannelPlay(a, true));
    ASSERT_TRUE(audio->ChannelPlay(b, true));
    EXPECT_EQ(audio->SampleGetChannel(strict), kNoAudio);  // both busy, no take-over
    audio->ChannelStop(a);
    AudioHandle c = audio->SampleGetChannel(strict);  // the stopped one gives its place
    EXPECT_NE(c, kNoAudio);
    EXPECT_FALSE(audio->ChannelPlay(a, true));

    AudioHandle shared = LoadLevel(2, kSampleTakeOverOldest);
    AudioHandle x = audio->SampleGetChannel(shared);
    audio->ChannelPlay(x, true);
    audio->RenderFrames(100);
    AudioHandle y = audio->SampleGetChannel(shared);
    audio->ChannelPlay(y, true);
    audio->ChannelPlay(x, true);  // restarted: now y has played longest
    AudioHandle z = audio->SampleGetChannel(shared);
    EXPECT_NE(z, kNoAudio);
    EXPECT_EQ(audio->ChannelIsActive(y), ChannelStopped);
    EXPECT_FALSE(audio->ChannelSetAttributes(y, -1, 10, -101));
    EXPECT_EQ(audio->ChannelIsActive(x), ChannelPlaying);
}

TEST_F(AudioTest, SlidesOfPanAndRate) {
    AudioHandle sample = LoadLevel(1, 0);
    AudioHandle ch = audio->SampleGetChannel(sample);
    audio->ChannelSetAttributes(ch, -1, 100, -100);
    audio->ChannelPlay(ch, true);
    ASSERT_TRUE(audio->ChannelSlideAttributes(ch, 22050, -1, 100, 100));
    EXPECT_EQ(audio->ChannelIsSliding(ch), kSlidingRate | kSlidingPan);
    audio->RenderFrames(2205);
    int32_t rate = 0, volume = 0, pan = 0;
    ASSERT_TRUE(audio->ChannelGetAttributes(ch, &rate, &volume, &pan));
    EXPECT_NEAR(rate, 33075, 1);
    EXPECT_EQ(volume, 100);
    EXPECT_NEAR(pan, 0, 1);
    auto mix = audio->RenderFrames(2300);
    EXPECT_EQ(audio->ChannelIsSliding(ch), 0u);
    EXPECT_EQ(Peak(mix, 0, 2205), 0.0f);  // full right once the slide is over
    EXPECT_NEAR(Peak(mix, 1, 2205), 0.5f, 1e-6);
    EXPECT_EQ(audio->ChannelIsActive(ch), ChannelPlaying);  // only a volume slide to -2 stops
    // A direct set ends a running slide of that attribute.
    audio->ChannelSlideAttributes(ch, -1, 0, -101, 1000);
    audio->ChannelSetAttributes(ch, -1, 70, -101);
    EXPECT_EQ(audio->ChannelIsSliding(ch), 0u);
}

TEST_F(AudioTest, SamplePositionsAreBytesOfTheFile) {
    // 16-bit stereo at 22050 Hz: 4 bytes a frame, played at the output's 44100 Hz.
    std::vector<int16_t> frames(2 * 22050, 8000);
    plmtest::WriteFile(folder.file("stereo.wav"), plmtest::MakeWav(frames, 2, 22050));
    AudioHandle sample = audio->SampleLoad(folder.file("stereo.wav"), 1, 0);
    ASSERT_NE(sample, kNoAudio);
    int32_t rate = 0;
    ASSERT_TRUE(audio->ChannelGetAttributes(sample, &rate, nullptr, nullptr));
    EXPECT_EQ(rate, 22050);
    AudioHandle ch = audio->SampleGetChannel(sample);
    audio->ChannelPlay(ch, true);
    auto mix = audio->RenderFrames(4410);  // 100 ms of output
    EXPECT_NEAR(audio->ChannelGetPosition(ch), 4 * 2205, 4);
    EXPECT_NEAR(Peak(mix, 0, 100), 8000.0f / 32768.0f, 1e-3);
    EXPECT_TRUE(audio->ChannelSetPosition(ch, 4 * 11025));
    EXPECT_EQ(audio->ChannelGetPosition(ch), 4 * 11025);
    EXPECT_FALSE(audio->ChannelSetPosition(ch, 4 * 22050));  // beyond the end
}

TEST_F(AudioTest, ModuleRateDrivesItsTempo) {
    AudioHandle music = audio->MusicLoad(folder.file("tiny.mod"), kAudioLoop);
    ASSERT_TRUE(audio->ChannelSetAttributes(music, 88200, -1, -101));
    audio->ChannelPlay(music, true);
    audio->RenderFrames(4410);  // 100 ms: ten rows of 20 ms at twice the speed
    int64_t pos = audio->ChannelGetPosition(music);
    EXPECT_EQ(pos & 0xFFFF, 1);
    EXPECT_NEAR(pos >> 16, 2, 1);
}

TEST_F(AudioTest, TruncatedFilesAreRefusedOrPlayedNeverACrash) {
    const std::string wav = plmtest::MakeToneWav(2000, 300.0);
    const std::string mod = plmtest::MakeTinyMod();
    for (size_t n = 0; n < wav.size(); n += 7) {
        plmtest::WriteFile(folder.file("cut.wav"), wav.substr(0, n));
        AudioHandle s = audio->SampleLoad(folder.file("cut.wav"), 1, kAudioLoop);
        audio->ChannelPlay(s, true);
        audio->RenderFrames(64);
        audio->SampleFree(s);
    }
    for (size_t n = 0; n < mod.size(); n += 61) {
        plmtest::WriteFile(folder.file("cut.mod"), mod.substr(0, n));
        AudioHandle m = audio->MusicLoad(folder.file("cut.mod"), kAudioLoop);
        audio->ChannelPlay(m, true);
        audio->RenderFrames(256);
        audio->MusicFree(m);
    }
    EXPECT_EQ(audio->SampleLoad(folder.file("missing.wav"), 1, 0), kNoAudio);
    EXPECT_EQ(audio->MusicLoad(folder.file("missing.mod"), 0), kNoAudio);
}

}  // namespace
