// Bass, Music and Sample on the null output: every check reads the mixed samples or the layer.
#include <cstdint>
#include <vector>

#include "EngineFixture.h"
#include "SoundFixtures.h"
#include "core/Bass.h"
#include "core/EngineState.h"
#include "core/Music.h"
#include "core/Sample.h"
#include "core/SoundProcs.h"
#include "platform/Audio.h"

namespace {

using plmtest::Peak;
constexpr int kRate = 44100;
constexpr size_t Frames(int ms) { return static_cast<size_t>(kRate) * static_cast<size_t>(ms) / 1000; }

class SoundTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::State().Audio = plm::platform::CreateAudio(plm::platform::AudioOutput::Null);
        ASSERT_TRUE(bass.Init(0, kRate));
        bass.PanWidth(800);
        plmtest::WriteFile(folder.file("level.wav"), plmtest::MakeLevelWav(kRate));  // 1 s at 0.5
        plmtest::WriteFile(folder.file("tiny.mod"), plmtest::MakeTinyMod());
    }
    std::vector<float> Render(int ms) { return audio().RenderFrames(static_cast<int32_t>(Frames(ms))); }
    plm::platform::Audio& audio() { return *plm::State().Audio; }

    plm::Bass bass;
    plm::Sample sample;
    plm::Music music;
};

TEST_F(SoundTest, InitStartsTheLayerAndResetsTheCounts) {
    auto& s = plm::State();
    EXPECT_TRUE(s.SoundReady);
    ASSERT_TRUE(sample.Load(3, "level.wav", 1, false));
    EXPECT_EQ(s.SampleCount, 3);
    EXPECT_EQ(s.SampleTable(3).Flags, 0x20040);
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    EXPECT_EQ(s.SampleTable(1).Flags, 0x20044);
    ASSERT_TRUE(music.Load(2, "tiny.mod", true));
    EXPECT_EQ(s.MusicTable(2).Flags, 0x28204);
    EXPECT_EQ(s.MusicTable(2).Volume, 100.0f);
    EXPECT_EQ(s.MusicTable(1).Handle, 0u);

    ASSERT_TRUE(bass.Init(0, kRate));  // a second start: counts 0, rows kept
    EXPECT_EQ(s.SampleCount, 0);
    EXPECT_EQ(s.MusicCount, 0);
    EXPECT_EQ(s.SampleTable.size(), 3);
    EXPECT_FALSE(bass.Init(0, 1));  // a rate the layer refuses
    EXPECT_FALSE(s.SoundReady);
}

TEST_F(SoundTest, LoadRefusesBadIndexesAndDamagedFiles) {
    auto& s = plm::State();
    EXPECT_FALSE(sample.Load(0, "level.wav", 1, false));
    EXPECT_FALSE(music.Load(-1, "tiny.mod", false));
    EXPECT_EQ(s.SampleCount, 0);
    EXPECT_EQ(s.MusicCount, 0);
    // A slot number no table can hold is refused like one below 1, not grown to.
    EXPECT_FALSE(sample.Load(INT32_MAX, "level.wav", 1, false));
    EXPECT_FALSE(music.Load(plm::kMaxSoundSlots + 1, "tiny.mod", false));
    EXPECT_EQ(s.SampleTable.size(), 0);
    EXPECT_EQ(s.MusicCount, 0);
    plmtest::WriteFile(folder.file("bad.wav"), "RIFF\x10\0\0\0WAVEfmt garbage");
    plmtest::WriteFile(folder.file("bad.mod"), std::string(300, 'x'));
    ASSERT_TRUE(sample.Load(2, "level.wav", 1, false));
    EXPECT_FALSE(sample.Load(2, "bad.wav", 1, false));  // the old sample is freed all the same
    EXPECT_EQ(s.SampleTable(2).Handle, 0u);
    EXPECT_FALSE(sample.Load(4, "missing.wav", 1, false));
    EXPECT_EQ(s.SampleCount, 4);
    EXPECT_FALSE(music.Load(5, "bad.mod", false));
    EXPECT_EQ(s.MusicCount, 5);
    EXPECT_EQ(s.MusicTable(5).Handle, 0u);
    // Members on empty or unknown slots do nothing and answer "nothing".
    sample.Play(2, 100, 50);
    music.Play(9, true);
    EXPECT_FALSE(sample.IsPlaying(2));
    EXPECT_EQ(music.Volume(9), 0);
    EXPECT_EQ(music.Position(5), -1);
    EXPECT_EQ(Peak(Render(10), 0), 0.0f);
}

TEST_F(SoundTest, VolumeAndPanScaleTheMix) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    struct Case {
        int volume, pan;
        float left, right;
    };
    // The sample's level is 0.5; pan 50 is the centre, 0 full left, 100 full right.
    for (Case c : {Case{100, 50, 0.5f, 0.5f}, Case{50, 50, 0.25f, 0.25f}, Case{100, 0, 0.5f, 0.0f},
                   Case{100, 100, 0.0f, 0.5f}, Case{100, 75, 0.25f, 0.5f}, Case{80, 25, 0.4f, 0.2f},
                   Case{150, 150, 0.0f, 0.5f},  // clamped to volume 100, pan 100
                   Case{-20, 50, 0.0f, 0.0f}}) {
        sample.Play(1, c.volume, c.pan);
        auto mix = Render(20);
        EXPECT_NEAR(Peak(mix, 0), c.left, 1e-6) << c.volume << " " << c.pan;
        EXPECT_NEAR(Peak(mix, 1), c.right, 1e-6) << c.volume << " " << c.pan;
        EXPECT_EQ(sample.Volume(1), std::clamp(c.volume, 0, 100));
    }
}

TEST_F(SoundTest, PanArithmetic) {
    EXPECT_EQ(plm::BalanceToPan(50), 0);
    EXPECT_EQ(plm::BalanceToPan(0), -100);
    EXPECT_EQ(plm::BalanceToPan(150), 200);  // the layer then clamps it to 100
    struct Case {
        float x, width;
        int pan;
    };
    for (Case c : {Case{0, 800, -100}, Case{200, 800, -50}, Case{400, 800, 0}, Case{800, 800, 100},
                   Case{1600, 800, 100}, Case{-50, 800, -100}, Case{2, 800, -100}, Case{6, 800, -98},
                   Case{400, 0, 0}, Case{0, 0, 0}}) {
        EXPECT_EQ(plm::ScreenXToPan(c.x, c.width), c.pan) << c.x << " / " << c.width;
    }
}

TEST_F(SoundTest, PlayPanPansByScreenXAndKeepsTheGivenRate) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    sample.PlayPan(1, 200, 100, 0);  // pan -50
    auto mix = Render(10);
    EXPECT_NEAR(Peak(mix, 0), 0.5f, 1e-6);
    EXPECT_NEAR(Peak(mix, 1), 0.25f, 1e-6);
    EXPECT_EQ(sample.Frequency(1), kRate);  // Freq 0 keeps the sample's rate

    sample.PlayPan(1, 400, 100, 22050);
    EXPECT_EQ(sample.Frequency(1), 22050);
    Render(100);
    // Half the rate: 100 ms of output covers 50 ms of the sample (2 bytes a frame).
    EXPECT_NEAR(sample.Position(1), 2 * 2205, 4);

    bass.PanWidth(0);  // never set: the centre, not a division by zero
    sample.PlayPan(1, 300, 100, 0);
    mix = Render(10);
    EXPECT_NEAR(Peak(mix, 0), 0.5f, 1e-6);
    EXPECT_NEAR(Peak(mix, 1), 0.5f, 1e-6);
}

TEST_F(SoundTest, FadeOutReachesSilenceWithinItsTimeAndStops) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    sample.Play(1, 100, 50);
    sample.FadeOut(1, 100);
    EXPECT_TRUE(sample.IsFading(1));
    auto first = Render(50);
    EXPECT_NEAR(Peak(first, 0, Frames(49), Frames(50)), 0.25f, 0.01f);  // half way, half the level
    EXPECT_TRUE(sample.IsPlaying(1));
    auto rest = Render(60);
    EXPECT_EQ(Peak(rest, 0, Frames(50)), 0.0f);
    EXPECT_FALSE(sample.IsPlaying(1));
    EXPECT_FALSE(sample.IsFading(1));
}

TEST_F(SoundTest, FadeInRisesFromSilenceToItsVolume) {
    ASSERT_TRUE(music.Load(1, "tiny.mod", true));
    music.FadeIn(1, 80, 200, true);
    EXPECT_TRUE(music.IsFading(1));
    EXPECT_TRUE(music.IsPlaying(1));
    Render(100);
    EXPECT_NEAR(music.Volume(1), 40, 1);
    Render(120);
    EXPECT_FALSE(music.IsFading(1));
    EXPECT_EQ(music.Volume(1), 80);
    music.StopMusic(1);

    ASSERT_TRUE(sample.Load(2, "level.wav", 1, true));
    sample.FadeIn(2, 60, 100);
    auto mix = Render(110);
    EXPECT_LT(Peak(mix, 0, 0, Frames(5)), 0.02f);
    EXPECT_NEAR(Peak(mix, 0, Frames(105)), 0.3f, 1e-6);
    EXPECT_EQ(sample.Volume(2), 60);
}

TEST_F(SoundTest, PlaybackLimitTakesOverTheOldest) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 2, true));
    sample.Play(1, 20, 50);
    Render(10);
    sample.Play(1, 30, 50);
    Render(10);
    sample.Play(1, 50, 50);  // the one at 20 is taken over
    auto mix = Render(10);
    EXPECT_NEAR(Peak(mix, 0), 0.5f * (0.3f + 0.5f), 1e-6);
    sample.StopSample(1);
    EXPECT_EQ(Peak(Render(10), 0), 0.0f);
    EXPECT_FALSE(sample.IsPlaying(1));
}

TEST_F(SoundTest, SampleMembersActOnItsPlaybacks) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 2, true));
    sample.Play(1, 100, 0);
    sample.Play(1, 100, 100);
    sample.Volume(1, 40);
    auto mix = Render(10);
    EXPECT_NEAR(Peak(mix, 0), 0.2f, 1e-6);
    EXPECT_NEAR(Peak(mix, 1), 0.2f, 1e-6);
    sample.Position(1, 2 * 4410);
    EXPECT_EQ(sample.Position(1), 2 * 4410);
    sample.Frequency(1, 88200);
    Render(10);
    EXPECT_NEAR(sample.Position(1), 2 * (4410 + 882), 4);
    EXPECT_TRUE(sample.IsPlaying(1));
}

TEST_F(SoundTest, SampleWithoutLoopEndsByItself) {
    plmtest::WriteFile(folder.file("short.wav"), plmtest::MakeLevelWav(441));
    ASSERT_TRUE(sample.Load(1, "short.wav", 1, false));
    sample.Play(1, 100, 50);
    auto mix = Render(20);
    EXPECT_NEAR(Peak(mix, 0, 0, 441), 0.5f, 1e-6);
    EXPECT_EQ(Peak(mix, 0, 441), 0.0f);
    EXPECT_FALSE(sample.IsPlaying(1));
}

TEST_F(SoundTest, ModuleRendersLoopsAndSeeks) {
    ASSERT_TRUE(music.Load(1, "tiny.mod", true));
    music.Play(1, true);
    auto mix = Render(400);
    // Order 0 sounds, order 1 (160..320 ms) is silent, then the song starts over.
    EXPECT_GT(Peak(mix, 0, Frames(20), Frames(150)), 0.05f);
    EXPECT_LT(Peak(mix, 0, Frames(180), Frames(310)), 1e-3f);
    EXPECT_GT(Peak(mix, 0, Frames(340), Frames(400)), 0.05f);
    EXPECT_TRUE(music.IsPlaying(1));
    EXPECT_EQ(music.Position(1) & 0xFFFF, 0);

    music.Position(1, plm::MakeLong(1, 0));
    EXPECT_EQ(music.Position(1), plm::MakeLong(1, 0));
    mix = Render(100);
    EXPECT_LT(Peak(mix, 0, Frames(20)), 1e-3f);
    EXPECT_EQ(music.Position(1) & 0xFFFF, 1);
    EXPECT_NEAR(music.Position(1) >> 16, 5, 1);  // 100 ms at 20 ms a row

    music.Position(1, plm::MakeLong(0, 0));
    EXPECT_GT(Peak(Render(100), 0, Frames(20)), 0.05f);
    music.Position(1, plm::MakeLong(7, 0));  // beyond the song: refused
    EXPECT_EQ(music.Position(1) & 0xFFFF, 0);
}

TEST_F(SoundTest, ModuleWithoutLoopStopsAtItsEnd) {
    ASSERT_TRUE(music.Load(1, "tiny.mod", false));
    music.Play(1, true);
    Render(600);  // 320 ms of song and the short tail the player renders after its end
    EXPECT_FALSE(music.IsPlaying(1));
    music.Play(1, false);  // an ended module starts over
    EXPECT_GT(Peak(Render(100), 0, Frames(20)), 0.05f);
    music.StopMusic(1);
    EXPECT_EQ(Peak(Render(20), 0), 0.0f);
    music.FadeIn(1, 100, 0, false);  // on from where it stood
    EXPECT_EQ(music.Position(1) & 0xFFFF, 0);
    EXPECT_GE(music.Position(1) >> 16, 4);
}

TEST_F(SoundTest, PauseStopsTheOutputAdvancing) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    sample.Play(1, 100, 50);
    Render(10);
    int32_t pos = sample.Position(1);
    bass.PauseAll();
    EXPECT_EQ(audio().ChannelIsActive(plm::State().SampleTable(1).Handle), plm::platform::ChannelPaused);
    EXPECT_TRUE(sample.IsPlaying(1));  // paused counts as playing
    EXPECT_EQ(Peak(Render(50), 0), 0.0f);
    EXPECT_EQ(sample.Position(1), pos);
    bass.ResumeAll();
    EXPECT_NEAR(Peak(Render(10), 0), 0.5f, 1e-6);
    EXPECT_EQ(sample.Position(1), pos + 2 * 441);
}

TEST_F(SoundTest, TerminateTwiceIsHarmlessAndSilencesEverything) {
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    sample.Play(1, 100, 50);
    EXPECT_FALSE(bass.Terminate().has_value());
    EXPECT_FALSE(bass.Terminate().has_value());
    plm::FreeBass();
    bass.PauseAll();
    bass.ResumeAll();
    EXPECT_FALSE(sample.IsPlaying(1));
    EXPECT_TRUE(Render(10).empty());
    EXPECT_FALSE(sample.Load(2, "level.wav", 1, false));  // not started: no handle
    plm::BASS_INFO info;
    info.speakers = 77;
    bass.GetInfo(info);
    EXPECT_EQ(info.speakers, 77);  // left as it was
}

TEST_F(SoundTest, OldHandlesStayStaleAfterANewStart) {
    auto& s = plm::State();
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    ASSERT_TRUE(sample.Load(2, "level.wav", 1, true));
    uint32_t old1 = s.SampleTable(1).Handle, old2 = s.SampleTable(2).Handle;
    bass.Terminate();
    ASSERT_TRUE(bass.Init(0, kRate));
    // Slot 2 is loaded anew first; then loading slot 1 frees its stale handle, which must not
    // touch the new sample in slot 2.
    ASSERT_TRUE(sample.Load(2, "level.wav", 1, true));
    ASSERT_TRUE(sample.Load(1, "level.wav", 1, true));
    EXPECT_NE(s.SampleTable(2).Handle, old2);
    EXPECT_NE(s.SampleTable(1).Handle, old1);
    EXPECT_NE(s.SampleTable(1).Handle, old2);
    sample.Play(2, 100, 50);
    EXPECT_NEAR(Peak(Render(10), 0), 0.5f, 1e-6);
    EXPECT_FALSE(audio().ChannelPlay(old2, true));
    EXPECT_FALSE(audio().SampleFree(old1));
}

// A layer that reports another version and records whether anything tried to start it.
class OtherVersionAudio : public plm::platform::Audio {
public:
    bool initCalled = false;
    uint32_t GetVersion() const override { return 0x20001; }
    bool Init(int32_t, int32_t, uint32_t, int32_t) override { return initCalled = true; }
    bool Free() override { return false; }
    bool Pause() override { return false; }
    bool Start() override { return false; }
    int32_t GetConfig(int32_t) const override { return -1; }
    bool SetConfig(int32_t, int32_t) override { return false; }
    bool GetInfo(plm::platform::AudioDeviceInfo&) const override { return false; }
    uint32_t MusicLoad(const std::string&, uint32_t) override { return 0; }
    bool MusicFree(uint32_t) override { return false; }
    uint32_t SampleLoad(const std::string&, int32_t, uint32_t) override { return 0; }
    bool SampleFree(uint32_t) override { return false; }
    uint32_t SampleGetChannel(uint32_t) override { return 0; }
    bool SampleStop(uint32_t) override { return false; }
    bool ChannelPlay(uint32_t, bool) override { return false; }
    bool ChannelStop(uint32_t) override { return false; }
    bool ChannelSetAttributes(uint32_t, int32_t, int32_t, int32_t) override { return false; }
    bool ChannelGetAttributes(uint32_t, int32_t*, int32_t*, int32_t*) const override { return false; }
    bool ChannelSlideAttributes(uint32_t, int32_t, int32_t, int32_t, int32_t) override { return false; }
    uint32_t ChannelIsSliding(uint32_t) const override { return 0; }
    plm::platform::ChannelState ChannelIsActive(uint32_t) const override { return plm::platform::ChannelStopped; }
    int64_t ChannelGetPosition(uint32_t) const override { return -1; }
    bool ChannelSetPosition(uint32_t, int64_t) override { return false; }
    std::vector<float> RenderFrames(int32_t) override { return {}; }
};

TEST_F(SoundTest, InitRefusesAnotherVersion) {
    auto other = std::make_shared<OtherVersionAudio>();
    plm::State().Audio = other;
    plm::State().SampleCount = 4;
    EXPECT_FALSE(bass.Init(0, kRate));
    EXPECT_FALSE(other->initCalled);
    EXPECT_FALSE(plm::State().SoundReady);
    EXPECT_EQ(plm::State().SampleCount, 4);
    EXPECT_FALSE(bass.Terminate().has_value());
}

TEST_F(SoundTest, InfoAndBufferSize) {
    plm::BASS_INFO info;
    bass.GetInfo(info);
    EXPECT_EQ(info.speakers, 2);
    EXPECT_EQ(info.initflags, 0);
    EXPECT_LE(info.minrate, 8000);
    EXPECT_GE(info.maxrate, 48000);
    EXPECT_EQ(bass.BufferSize(), 500);
    bass.BufferSize(120);
    EXPECT_EQ(bass.BufferSize(), 120);
    bass.BufferSize(0);
    EXPECT_EQ(bass.BufferSize(), 10);  // the shortest the layer takes
}

}  // namespace
