// The root object's 33 service properties, in the creation order of Initialize.
#include "core/PelmarEngine.h"

namespace plm {

std::shared_ptr<plm::Bass> PelmarEngine::Bass() { return Lazy(bass_); }
void PelmarEngine::Bass(std::shared_ptr<plm::Bass> value) { bass_ = std::move(value); }
std::shared_ptr<plm::Sample> PelmarEngine::Sample() { return Lazy(sample_); }
void PelmarEngine::Sample(std::shared_ptr<plm::Sample> value) { sample_ = std::move(value); }
std::shared_ptr<plm::Music> PelmarEngine::Music() { return Lazy(music_); }
void PelmarEngine::Music(std::shared_ptr<plm::Music> value) { music_ = std::move(value); }
std::shared_ptr<plm::BackDrop> PelmarEngine::BackDrop() { return Lazy(backDrop_); }
void PelmarEngine::BackDrop(std::shared_ptr<plm::BackDrop> value) { backDrop_ = std::move(value); }
std::shared_ptr<plm::Device> PelmarEngine::Device() { return Lazy(device_); }
void PelmarEngine::Device(std::shared_ptr<plm::Device> value) { device_ = std::move(value); }
std::shared_ptr<plm::Font> PelmarEngine::Font() { return Lazy(font_); }
void PelmarEngine::Font(std::shared_ptr<plm::Font> value) { font_ = std::move(value); }
std::shared_ptr<plm::FontFader> PelmarEngine::FontFader() { return Lazy(fontFader_); }
void PelmarEngine::FontFader(std::shared_ptr<plm::FontFader> value) { fontFader_ = std::move(value); }
std::shared_ptr<plm::GamePad> PelmarEngine::GamePad() { return Lazy(gamePad_); }
void PelmarEngine::GamePad(std::shared_ptr<plm::GamePad> value) { gamePad_ = std::move(value); }
std::shared_ptr<plm::Gui> PelmarEngine::Gui() { return Lazy(gui_); }
void PelmarEngine::Gui(std::shared_ptr<plm::Gui> value) { gui_ = std::move(value); }
std::shared_ptr<plm::HighScores> PelmarEngine::HighScores() { return Lazy(highScores_); }
void PelmarEngine::HighScores(std::shared_ptr<plm::HighScores> value) { highScores_ = std::move(value); }
std::shared_ptr<plm::Key> PelmarEngine::Key() { return Lazy(key_); }
void PelmarEngine::Key(std::shared_ptr<plm::Key> value) { key_ = std::move(value); }
std::shared_ptr<plm::Lib> PelmarEngine::Lib() { return Lazy(lib_); }
void PelmarEngine::Lib(std::shared_ptr<plm::Lib> value) { lib_ = std::move(value); }
std::shared_ptr<plm::Map> PelmarEngine::Map() { return Lazy(map_); }
void PelmarEngine::Map(std::shared_ptr<plm::Map> value) { map_ = std::move(value); }
std::shared_ptr<plm::Mouse> PelmarEngine::Mouse() { return Lazy(mouse_); }
void PelmarEngine::Mouse(std::shared_ptr<plm::Mouse> value) { mouse_ = std::move(value); }
std::shared_ptr<plm::Pak> PelmarEngine::Pak() { return Lazy(pak_); }
void PelmarEngine::Pak(std::shared_ptr<plm::Pak> value) { pak_ = std::move(value); }
std::shared_ptr<plm::PolySprite> PelmarEngine::PolySprite() { return Lazy(polySprite_); }
void PelmarEngine::PolySprite(std::shared_ptr<plm::PolySprite> value) { polySprite_ = std::move(value); }
std::shared_ptr<plm::Scene> PelmarEngine::Scene() { return Lazy(scene_); }
void PelmarEngine::Scene(std::shared_ptr<plm::Scene> value) { scene_ = std::move(value); }
std::shared_ptr<plm::Shape> PelmarEngine::Shape() { return Lazy(shape_); }
void PelmarEngine::Shape(std::shared_ptr<plm::Shape> value) { shape_ = std::move(value); }
std::shared_ptr<plm::Sprite> PelmarEngine::Sprite() { return Lazy(sprite_); }
void PelmarEngine::Sprite(std::shared_ptr<plm::Sprite> value) { sprite_ = std::move(value); }
std::shared_ptr<plm::SpriteAnimate> PelmarEngine::SpriteAnimate() { return Lazy(spriteAnimate_); }
void PelmarEngine::SpriteAnimate(std::shared_ptr<plm::SpriteAnimate> value) { spriteAnimate_ = std::move(value); }
std::shared_ptr<plm::SpriteAnimateDefine> PelmarEngine::SpriteAnimateDefine() { return Lazy(spriteAnimateDefine_); }
void PelmarEngine::SpriteAnimateDefine(std::shared_ptr<plm::SpriteAnimateDefine> value) { spriteAnimateDefine_ = std::move(value); }
std::shared_ptr<plm::SpriteCollide> PelmarEngine::SpriteCollide() { return Lazy(spriteCollide_); }
void PelmarEngine::SpriteCollide(std::shared_ptr<plm::SpriteCollide> value) { spriteCollide_ = std::move(value); }
std::shared_ptr<plm::SpriteEngine> PelmarEngine::SpriteEngine() { return Lazy(spriteEngine_); }
void PelmarEngine::SpriteEngine(std::shared_ptr<plm::SpriteEngine> value) { spriteEngine_ = std::move(value); }
std::shared_ptr<plm::SpriteDefine> PelmarEngine::SpriteDefine() { return Lazy(spriteDefine_); }
void PelmarEngine::SpriteDefine(std::shared_ptr<plm::SpriteDefine> value) { spriteDefine_ = std::move(value); }
std::shared_ptr<plm::SpritePFX> PelmarEngine::SpritePFX() { return Lazy(spritePFX_); }
void PelmarEngine::SpritePFX(std::shared_ptr<plm::SpritePFX> value) { spritePFX_ = std::move(value); }
std::shared_ptr<plm::Starfield> PelmarEngine::Starfield() { return Lazy(starfield_); }
void PelmarEngine::Starfield(std::shared_ptr<plm::Starfield> value) { starfield_ = std::move(value); }
std::shared_ptr<plm::Text> PelmarEngine::Text() { return Lazy(text_); }
void PelmarEngine::Text(std::shared_ptr<plm::Text> value) { text_ = std::move(value); }
std::shared_ptr<plm::Texture> PelmarEngine::Texture() { return Lazy(texture_); }
void PelmarEngine::Texture(std::shared_ptr<plm::Texture> value) { texture_ = std::move(value); }
std::shared_ptr<plm::TextureFx> PelmarEngine::TextureFx() { return Lazy(textureFx_); }
void PelmarEngine::TextureFx(std::shared_ptr<plm::TextureFx> value) { textureFx_ = std::move(value); }
std::shared_ptr<plm::Tiler> PelmarEngine::Tiler() { return Lazy(tiler_); }
void PelmarEngine::Tiler(std::shared_ptr<plm::Tiler> value) { tiler_ = std::move(value); }
std::shared_ptr<plm::Timer> PelmarEngine::Timer() { return Lazy(timer_); }
void PelmarEngine::Timer(std::shared_ptr<plm::Timer> value) { timer_ = std::move(value); }
std::shared_ptr<plm::Video> PelmarEngine::Video() { return Lazy(video_); }
void PelmarEngine::Video(std::shared_ptr<plm::Video> value) { video_ = std::move(value); }
std::shared_ptr<plm::Zone> PelmarEngine::Zone() { return Lazy(zone_); }
void PelmarEngine::Zone(std::shared_ptr<plm::Zone> value) { zone_ = std::move(value); }

void PelmarEngine::CreateServices() {
    bass_ = std::make_shared<plm::Bass>();
    sample_ = std::make_shared<plm::Sample>();
    music_ = std::make_shared<plm::Music>();
    backDrop_ = std::make_shared<plm::BackDrop>();
    device_ = std::make_shared<plm::Device>();
    font_ = std::make_shared<plm::Font>();
    fontFader_ = std::make_shared<plm::FontFader>();
    gamePad_ = std::make_shared<plm::GamePad>();
    gui_ = std::make_shared<plm::Gui>();
    highScores_ = std::make_shared<plm::HighScores>();
    key_ = std::make_shared<plm::Key>();
    lib_ = std::make_shared<plm::Lib>();
    map_ = std::make_shared<plm::Map>();
    mouse_ = std::make_shared<plm::Mouse>();
    pak_ = std::make_shared<plm::Pak>();
    polySprite_ = std::make_shared<plm::PolySprite>();
    scene_ = std::make_shared<plm::Scene>();
    shape_ = std::make_shared<plm::Shape>();
    sprite_ = std::make_shared<plm::Sprite>();
    spriteAnimate_ = std::make_shared<plm::SpriteAnimate>();
    spriteAnimateDefine_ = std::make_shared<plm::SpriteAnimateDefine>();
    spriteCollide_ = std::make_shared<plm::SpriteCollide>();
    spriteEngine_ = std::make_shared<plm::SpriteEngine>();
    spriteDefine_ = std::make_shared<plm::SpriteDefine>();
    spritePFX_ = std::make_shared<plm::SpritePFX>();
    starfield_ = std::make_shared<plm::Starfield>();
    text_ = std::make_shared<plm::Text>();
    texture_ = std::make_shared<plm::Texture>();
    textureFx_ = std::make_shared<plm::TextureFx>();
    tiler_ = std::make_shared<plm::Tiler>();
    timer_ = std::make_shared<plm::Timer>();
    video_ = std::make_shared<plm::Video>();
    zone_ = std::make_shared<plm::Zone>();
}

void PelmarEngine::DropServices() {
    bass_.reset();
    sample_.reset();
    music_.reset();
    backDrop_.reset();
    device_.reset();
    font_.reset();
    fontFader_.reset();
    gamePad_.reset();
    gui_.reset();
    highScores_.reset();
    key_.reset();
    lib_.reset();
    map_.reset();
    mouse_.reset();
    pak_.reset();
    polySprite_.reset();
    scene_.reset();
    shape_.reset();
    sprite_.reset();
    spriteAnimate_.reset();
    spriteAnimateDefine_.reset();
    spriteCollide_.reset();
    spriteEngine_.reset();
    spriteDefine_.reset();
    spritePFX_.reset();
    starfield_.reset();
    text_.reset();
    texture_.reset();
    textureFx_.reset();
    tiler_.reset();
    timer_.reset();
    video_.reset();
    zone_.reset();
}

}  // namespace plm
