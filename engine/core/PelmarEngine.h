#pragma once
// The root object a game creates: it owns one instance of each of the 33 services, holds the
// engine-wide settings that are not display settings, and runs the engine's lifetime.
#include <cstdint>
#include <memory>
#include <string>

#include "core/Bass.h"
#include "core/Device.h"
#include "core/GamePad.h"
#include "core/Key.h"
#include "core/Lib.h"
#include "core/Mouse.h"
#include "core/Music.h"
#include "core/Pak.h"
#include "core/Sample.h"
#include "core/Scene.h"
#include "core/Texture.h"
#include "core/Timer.h"
#include "core/Video.h"
#include "maps/BackDrop.h"
#include "maps/Map.h"
#include "maps/PolySprite.h"
#include "maps/Shape.h"
#include "maps/Starfield.h"
#include "maps/TextureFx.h"
#include "maps/Tiler.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteAnimate.h"
#include "sprites/SpriteAnimateDefine.h"
#include "sprites/SpriteCollide.h"
#include "sprites/SpriteDefine.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpritePFX.h"
#include "sprites/Zone.h"
#include "ui/Font.h"
#include "ui/FontFader.h"
#include "ui/Gui.h"
#include "ui/HighScores.h"
#include "ui/Text.h"

namespace plm {

class PelmarEngine {
public:
    PelmarEngine();
    ~PelmarEngine();
    PelmarEngine(const PelmarEngine&) = delete;
    PelmarEngine& operator=(const PelmarEngine&) = delete;

    // Creates the services, writes the display defaults and opens the log.
    bool Initialize();
    // Builds the tables, opens the display and input devices, warms up, shows the logo.
    bool InitDevice();
    // Ends the engine's run: releases everything in a fixed order.
    void Terminate();

    void Log(const std::string& txt, bool ResetLog = false);
    bool LogState() const;
    void LogState(bool value);
    // The engine folder; the let appends a separator when the text does not end in one.
    std::string Path() const;
    void Path(const std::string& value);
    float Delta() const;
    void Delta(float value);
    int32_t Tick() const;
    float Rx() const;
    float Ry() const;
    std::string PLMVersion() const;
    int32_t PLMVersionVal() const;
    bool BypassRenderStateReset() const;
    void BypassRenderStateReset(bool value);
    // Plays the start-up logo from texture slot 1: fade in, a light swept across and back, fade out.
    void PLMShowLogo();
    // Writes the logo image to FilePath & "plm.jpg" when that file does not exist yet.
    void PLMSaveLogo(const std::string& FilePath);

    // The 33 services: a read of an empty property creates its object; a set replaces it.
    std::shared_ptr<plm::Bass> Bass();
    void Bass(std::shared_ptr<plm::Bass> value);
    std::shared_ptr<plm::Sample> Sample();
    void Sample(std::shared_ptr<plm::Sample> value);
    std::shared_ptr<plm::Music> Music();
    void Music(std::shared_ptr<plm::Music> value);
    std::shared_ptr<plm::BackDrop> BackDrop();
    void BackDrop(std::shared_ptr<plm::BackDrop> value);
    std::shared_ptr<plm::Device> Device();
    void Device(std::shared_ptr<plm::Device> value);
    std::shared_ptr<plm::Font> Font();
    void Font(std::shared_ptr<plm::Font> value);
    std::shared_ptr<plm::FontFader> FontFader();
    void FontFader(std::shared_ptr<plm::FontFader> value);
    std::shared_ptr<plm::GamePad> GamePad();
    void GamePad(std::shared_ptr<plm::GamePad> value);
    std::shared_ptr<plm::Gui> Gui();
    void Gui(std::shared_ptr<plm::Gui> value);
    std::shared_ptr<plm::HighScores> HighScores();
    void HighScores(std::shared_ptr<plm::HighScores> value);
    std::shared_ptr<plm::Key> Key();
    void Key(std::shared_ptr<plm::Key> value);
    std::shared_ptr<plm::Lib> Lib();
    void Lib(std::shared_ptr<plm::Lib> value);
    std::shared_ptr<plm::Map> Map();
    void Map(std::shared_ptr<plm::Map> value);
    std::shared_ptr<plm::Mouse> Mouse();
    void Mouse(std::shared_ptr<plm::Mouse> value);
    std::shared_ptr<plm::Pak> Pak();
    void Pak(std::shared_ptr<plm::Pak> value);
    std::shared_ptr<plm::PolySprite> PolySprite();
    void PolySprite(std::shared_ptr<plm::PolySprite> value);
    std::shared_ptr<plm::Scene> Scene();
    void Scene(std::shared_ptr<plm::Scene> value);
    std::shared_ptr<plm::Shape> Shape();
    void Shape(std::shared_ptr<plm::Shape> value);
    std::shared_ptr<plm::Sprite> Sprite();
    void Sprite(std::shared_ptr<plm::Sprite> value);
    std::shared_ptr<plm::SpriteAnimate> SpriteAnimate();
    void SpriteAnimate(std::shared_ptr<plm::SpriteAnimate> value);
    std::shared_ptr<plm::SpriteAnimateDefine> SpriteAnimateDefine();
    void SpriteAnimateDefine(std::shared_ptr<plm::SpriteAnimateDefine> value);
    std::shared_ptr<plm::SpriteCollide> SpriteCollide();
    void SpriteCollide(std::shared_ptr<plm::SpriteCollide> value);
    std::shared_ptr<plm::SpriteEngine> SpriteEngine();
    void SpriteEngine(std::shared_ptr<plm::SpriteEngine> value);
    std::shared_ptr<plm::SpriteDefine> SpriteDefine();
    void SpriteDefine(std::shared_ptr<plm::SpriteDefine> value);
    std::shared_ptr<plm::SpritePFX> SpritePFX();
    void SpritePFX(std::shared_ptr<plm::SpritePFX> value);
    std::shared_ptr<plm::Starfield> Starfield();
    void Starfield(std::shared_ptr<plm::Starfield> value);
    std::shared_ptr<plm::Text> Text();
    void Text(std::shared_ptr<plm::Text> value);
    std::shared_ptr<plm::Texture> Texture();
    void Texture(std::shared_ptr<plm::Texture> value);
    std::shared_ptr<plm::TextureFx> TextureFx();
    void TextureFx(std::shared_ptr<plm::TextureFx> value);
    std::shared_ptr<plm::Tiler> Tiler();
    void Tiler(std::shared_ptr<plm::Tiler> value);
    std::shared_ptr<plm::Timer> Timer();
    void Timer(std::shared_ptr<plm::Timer> value);
    std::shared_ptr<plm::Video> Video();
    void Video(std::shared_ptr<plm::Video> value);
    std::shared_ptr<plm::Zone> Zone();
    void Zone(std::shared_ptr<plm::Zone> value);

private:
    template <typename T>
    std::shared_ptr<T>& Lazy(std::shared_ptr<T>& slot) {
        if (!slot) slot = std::make_shared<T>();
        return slot;
    }
    void CreateServices();
    void DropServices();

    std::shared_ptr<plm::Bass> bass_;
    std::shared_ptr<plm::Sample> sample_;
    std::shared_ptr<plm::Music> music_;
    std::shared_ptr<plm::BackDrop> backDrop_;
    std::shared_ptr<plm::Device> device_;
    std::shared_ptr<plm::Font> font_;
    std::shared_ptr<plm::FontFader> fontFader_;
    std::shared_ptr<plm::GamePad> gamePad_;
    std::shared_ptr<plm::Gui> gui_;
    std::shared_ptr<plm::HighScores> highScores_;
    std::shared_ptr<plm::Key> key_;
    std::shared_ptr<plm::Lib> lib_;
    std::shared_ptr<plm::Map> map_;
    std::shared_ptr<plm::Mouse> mouse_;
    std::shared_ptr<plm::Pak> pak_;
    std::shared_ptr<plm::PolySprite> polySprite_;
    std::shared_ptr<plm::Scene> scene_;
    std::shared_ptr<plm::Shape> shape_;
    std::shared_ptr<plm::Sprite> sprite_;
    std::shared_ptr<plm::SpriteAnimate> spriteAnimate_;
    std::shared_ptr<plm::SpriteAnimateDefine> spriteAnimateDefine_;
    std::shared_ptr<plm::SpriteCollide> spriteCollide_;
    std::shared_ptr<plm::SpriteEngine> spriteEngine_;
    std::shared_ptr<plm::SpriteDefine> spriteDefine_;
    std::shared_ptr<plm::SpritePFX> spritePFX_;
    std::shared_ptr<plm::Starfield> starfield_;
    std::shared_ptr<plm::Text> text_;
    std::shared_ptr<plm::Texture> texture_;
    std::shared_ptr<plm::TextureFx> textureFx_;
    std::shared_ptr<plm::Tiler> tiler_;
    std::shared_ptr<plm::Timer> timer_;
    std::shared_ptr<plm::Video> video_;
    std::shared_ptr<plm::Zone> zone_;
};

// The most texture slots InitDevice builds (Device.MaxTextures above it fails the start).
inline constexpr int32_t kMaxTextureSlots = 65536;

// The library's own version.
inline constexpr int32_t kVersionMajor = 2;
inline constexpr int32_t kVersionMinor = 3;
inline constexpr int32_t kVersionRevision = 2;

}  // namespace plm
