#include "sprites/ExplosionPresets.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/EngineState.h"
#include "core/Records.h"
#include "sprites/ExplosionProcs.h"
#include "sprites/ParticleSheet.h"

namespace plm {

namespace {

// The images of the engine particle texture a preset cuts its pieces from.
enum class Img : uint8_t {
    GlowL, StarL, SmokeL, RingL, FlameL, ShardL,  // 32 x 32
    GlowS, StarS, SmokeS, RingS, FlameS, ShardS,  // 16 x 16
    Spark,                                        // 18 x 18, the emitters' small spark
    Flare,                                        // 40 x 41, glow with eight rays
    Twinkle,                                      // 20 x 20, four-pointed
};

sheet::Rect ImageRect(Img i) {
    const int k = static_cast<int>(i);
    if (k < 6) return sheet::ExplosionImageLarge(k);
    if (k < 12) return sheet::ExplosionImageSmall(k - 6);
    if (i == Img::Spark) return sheet::kParticleSpark;
    if (i == Img::Flare) return sheet::kParticleFlare;
    return sheet::kParticleStar;
}

// One layer of a preset: `nodes` pieces of one image launched together. Speeds in px/ms, drag
// as a fraction of the launch speed lost per ms, gravity in px/ms² (negative rises), angles in
// engine degrees (0 up, clockwise), colours 0xRRGGBB varied by up to `variation` per component.
struct Layer {
    Img image = Img::GlowS;
    int nodes = 0;
    float speedMin = 0, speedMax = 0;
    float drag = 0, gravity = 0;
    float scale = 1, scaleDir = 0, stretch = 1;
    bool toward = false;  // turned toward the launch: stretched pieces become streaks
    float rotate = -1;    // start angle, -1 random
    float spin = 0;
    float alpha = 255, fade = -0.5f;
    float life = 1000;
    float spread = 0;
    float angleStart = 0, angleRange = 360;
    bool even = false;
    uint32_t color = 0xFFFFFF;
    int variation = 0;
    float floor = 0;  // above 0: pieces bounce this far below the centre
    float nodeDelay = 0;
};

struct Preset {
    const char* name;
    std::array<Layer, 3> layers;
};

// ---- The presets ------------------------------------------------------------------------------
// Every style is a burst of up to three layers: most have a short flash at the centre, a main
// body of pieces and a finish (sparkles, smoke or embers). At SizeScale 1 a burst spans about
// 100-200 pixels and is over within a second or two.
constexpr std::array<Preset, kExplosionPresets> kPresets{{
    // 1-8: spark bursts: streaking sparks slowing to a stop around a flash.
    {"gold sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xFFE0A0},
                      {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0xFFC040, .variation = 20}}}},
    {"white sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6},
                       {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f}}}},
    {"red sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xFF8060},
                     {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0xFF4030, .variation = 20}}}},
    {"green sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xA0FFA0},
                       {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0x50FF60, .variation = 20}}}},
    {"blue sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xA0C0FF},
                      {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0x4080FF, .variation = 20}}}},
    {"violet sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xD0A0FF},
                        {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0xB060FF, .variation = 20}}}},
    {"cyan sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xA0FFFF},
                      {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0x40F0FF, .variation = 20}}}},
    {"orange sparks", {{{.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.005f, .fade = -1.0f, .life = 260, .spread = 6, .color = 0xFFC080},
                        {.image = Img::Spark, .nodes = 44, .speedMin = 0.2f, .speedMax = 0.38f, .drag = 0.0013f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0004f, .stretch = 3, .toward = true, .fade = -0.34f, .color = 0xFF8020, .variation = 20}}}},

    // 9-12: soft puffs of glow drifting apart and swelling.
    {"white puff", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .scaleDir = 0.002f, .fade = -0.9f, .life = 400, .spread = 4},
                     {.image = Img::GlowS, .nodes = 26, .speedMin = 0.04f, .speedMax = 0.14f, .drag = 0.0012f, .scale = 1.3f, .scaleDir = 0.0012f, .alpha = 200, .fade = -0.26f, .spread = 10}}}},
    {"warm puff", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .scaleDir = 0.002f, .fade = -0.9f, .life = 400, .spread = 4, .color = 0xFFD090},
                    {.image = Img::GlowS, .nodes = 26, .speedMin = 0.04f, .speedMax = 0.14f, .drag = 0.0012f, .scale = 1.3f, .scaleDir = 0.0012f, .alpha = 200, .fade = -0.26f, .spread = 10, .color = 0xFFB060, .variation = 25}}}},
    {"pink puff", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .scaleDir = 0.002f, .fade = -0.9f, .life = 400, .spread = 4, .color = 0xFFB0D8},
                    {.image = Img::GlowS, .nodes = 26, .speedMin = 0.04f, .speedMax = 0.14f, .drag = 0.0012f, .scale = 1.3f, .scaleDir = 0.0012f, .alpha = 200, .fade = -0.26f, .spread = 10, .color = 0xFF60B0, .variation = 25}}}},
    {"aqua puff", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .scaleDir = 0.002f, .fade = -0.9f, .life = 400, .spread = 4, .color = 0xB0FFE8},
                    {.image = Img::GlowS, .nodes = 26, .speedMin = 0.04f, .speedMax = 0.14f, .drag = 0.0012f, .scale = 1.3f, .scaleDir = 0.0012f, .alpha = 200, .fade = -0.26f, .spread = 10, .color = 0x60FFD0, .variation = 25}}}},

    // 13-16: shock rings that swell and fade, with sparkles.
    {"white ring", {{{.image = Img::RingL, .nodes = 1, .scale = 0.4f, .scaleDir = 0.006f, .fade = -0.36f, .life = 720},
                     {.image = Img::GlowL, .nodes = 1, .scale = 1.5f, .scaleDir = 0.001f, .fade = -1.2f, .life = 300}}}},
    {"ring and stars", {{{.image = Img::RingL, .nodes = 2, .scale = 0.4f, .scaleDir = 0.006f, .fade = -0.45f, .life = 700, .nodeDelay = 90},
                         {.image = Img::StarS, .nodes = 14, .speedMin = 0.16f, .speedMax = 0.16f, .drag = 0.0022f, .scale = 1.2f, .scaleDir = -0.0012f, .spin = 0.35f, .fade = -0.5f, .even = true},
                         {.image = Img::GlowL, .nodes = 2, .scale = 1.8f, .scaleDir = 0.002f, .fade = -1.2f, .life = 300}}}},
    {"gold double ring", {{{.image = Img::RingL, .nodes = 2, .scale = 0.5f, .scaleDir = 0.005f, .fade = -0.45f, .life = 700, .color = 0xFFD060, .nodeDelay = 140},
                           {.image = Img::Spark, .nodes = 24, .speedMin = 0.22f, .speedMax = 0.26f, .drag = 0.0025f, .scale = 0.5f, .stretch = 2.5f, .toward = true, .fade = -0.6f, .even = true, .color = 0xFFE090}}}},
    {"blue ring", {{{.image = Img::RingL, .nodes = 1, .scale = 0.3f, .scaleDir = 0.006f, .fade = -0.38f, .life = 680, .color = 0x60A0FF},
                    {.image = Img::RingS, .nodes = 12, .speedMin = 0.16f, .speedMax = 0.3f, .drag = 0.0016f, .scale = 1, .scaleDir = 0.001f, .fade = -0.38f, .color = 0x80C0FF, .variation = 20},
                    {.image = Img::GlowL, .nodes = 1, .scale = 1.6f, .fade = -1.0f, .life = 300, .color = 0xA0D0FF}}}},

    // 17-21: star bursts: spinning stars thrown evenly outwards.
    {"gold stars", {{{.image = Img::StarL, .nodes = 10, .speedMin = 0.26f, .speedMax = 0.26f, .drag = 0.0015f, .gravity = 0.00005f, .scale = 0.9f, .scaleDir = -0.0006f, .spin = 0.3f, .fade = -0.32f, .even = true, .color = 0xFFD040},
                     {.image = Img::StarS, .nodes = 16, .speedMin = 0.08f, .speedMax = 0.2f, .drag = 0.0016f, .scale = 1.0f, .scaleDir = -0.0008f, .spin = 0.5f, .fade = -0.4f, .color = 0xFFF0A0},
                     {.image = Img::GlowL, .nodes = 1, .scale = 1.5f, .fade = -1.2f, .life = 250, .color = 0xFFE0A0}}}},
    {"white stars", {{{.image = Img::StarL, .nodes = 10, .speedMin = 0.26f, .speedMax = 0.26f, .drag = 0.0015f, .gravity = 0.00005f, .scale = 0.9f, .scaleDir = -0.0006f, .spin = 0.3f, .fade = -0.32f, .even = true},
                      {.image = Img::StarS, .nodes = 16, .speedMin = 0.08f, .speedMax = 0.2f, .drag = 0.0016f, .scale = 1.0f, .scaleDir = -0.0008f, .spin = 0.5f, .fade = -0.4f},
                      {.image = Img::GlowL, .nodes = 1, .scale = 1.5f, .fade = -1.2f, .life = 250}}}},
    {"pink stars", {{{.image = Img::StarL, .nodes = 8, .speedMin = 0.22f, .speedMax = 0.22f, .drag = 0.0015f, .scale = 1.0f, .scaleDir = -0.0007f, .spin = -0.4f, .fade = -0.32f, .even = true, .color = 0xFF70C0},
                     {.image = Img::GlowS, .nodes = 16, .speedMin = 0.05f, .speedMax = 0.14f, .drag = 0.0015f, .scale = 1.3f, .fade = -0.32f, .color = 0xFFA0D0}}}},
    {"green stars", {{{.image = Img::StarL, .nodes = 12, .speedMin = 0.14f, .speedMax = 0.26f, .drag = 0.0015f, .gravity = -0.00008f, .scale = 0.8f, .scaleDir = -0.0006f, .spin = 0.4f, .fade = -0.32f, .color = 0x70FF80},
                      {.image = Img::StarS, .nodes = 12, .speedMin = 0.02f, .speedMax = 0.08f, .gravity = -0.0001f, .scale = 1, .scaleDir = -0.001f, .spin = 0.6f, .fade = -0.5f, .spread = 20, .color = 0xC0FFC0}}}},
    {"blue stars", {{{.image = Img::StarL, .nodes = 6, .speedMin = 0.18f, .speedMax = 0.18f, .drag = 0.0014f, .scale = 1.2f, .scaleDir = -0.0008f, .spin = 0.25f, .fade = -0.3f, .even = true, .color = 0x70A0FF},
                     {.image = Img::StarS, .nodes = 18, .speedMin = 0.16f, .speedMax = 0.3f, .drag = 0.0018f, .scale = 0.9f, .scaleDir = -0.0006f, .spin = 0.5f, .fade = -0.42f, .color = 0xB0D0FF}}}},

    // 22-28: blasts: a hot core, rolling fire and flying sparks.
    {"bomb blast", {{{.image = Img::GlowL, .nodes = 4, .scale = 2.4f, .scaleDir = 0.003f, .fade = -1.0f, .life = 350, .spread = 8, .color = 0xFFF0D0},
                     {.image = Img::FlameL, .nodes = 26, .speedMin = 0.05f, .speedMax = 0.16f, .drag = 0.0018f, .gravity = -0.00004f, .scale = 1.0f, .scaleDir = 0.0006f, .spin = 0.15f, .fade = -0.45f, .spread = 12, .variation = 15},
                     {.image = Img::Spark, .nodes = 40, .speedMin = 0.2f, .speedMax = 0.4f, .drag = 0.002f, .gravity = 0.0001f, .scale = 0.5f, .stretch = 3, .toward = true, .fade = -0.5f, .color = 0xFFE0A0}}}},
    {"red fireball", {{{.image = Img::GlowL, .nodes = 3, .scale = 2.0f, .scaleDir = 0.002f, .fade = -0.9f, .life = 350, .color = 0xFF9060},
                       {.image = Img::FlameL, .nodes = 30, .speedMin = 0.03f, .speedMax = 0.12f, .drag = 0.0015f, .gravity = -0.00005f, .scale = 0.9f, .scaleDir = 0.0008f, .spin = 0.1f, .fade = -0.4f, .spread = 14, .color = 0xFF6040, .variation = 20}}}},
    {"blue plasma", {{{.image = Img::GlowL, .nodes = 3, .scale = 2.0f, .scaleDir = 0.003f, .fade = -1.1f, .life = 300, .color = 0xA0C8FF},
                      {.image = Img::GlowS, .nodes = 30, .speedMin = 0.08f, .speedMax = 0.22f, .drag = 0.002f, .scale = 1.1f, .scaleDir = -0.0005f, .fade = -0.5f, .spread = 6, .color = 0x5090FF, .variation = 30},
                      {.image = Img::Spark, .nodes = 20, .speedMin = 0.25f, .speedMax = 0.35f, .drag = 0.003f, .scale = 0.45f, .stretch = 3.5f, .toward = true, .fade = -0.8f, .color = 0xC0E0FF}}}},
    {"toxic blast", {{{.image = Img::SmokeL, .nodes = 12, .speedMin = 0.02f, .speedMax = 0.07f, .drag = 0.0008f, .gravity = -0.00002f, .scale = 0.9f, .scaleDir = 0.0014f, .spin = 0.05f, .alpha = 170, .fade = -0.16f, .life = 1500, .spread = 16, .color = 0x60E040, .variation = 25},
                      {.image = Img::GlowS, .nodes = 20, .speedMin = 0.1f, .speedMax = 0.2f, .drag = 0.002f, .scale = 0.8f, .fade = -0.5f, .color = 0xB0FF60}}}},
    {"arcane blast", {{{.image = Img::Flare, .nodes = 1, .scale = 1.6f, .scaleDir = 0.002f, .spin = 0.2f, .fade = -0.7f, .life = 400, .color = 0xD0A0FF},
                       {.image = Img::StarS, .nodes = 24, .speedMin = 0.1f, .speedMax = 0.24f, .drag = 0.0022f, .scale = 0.9f, .scaleDir = -0.0009f, .spin = 0.6f, .fade = -0.5f, .color = 0xB060FF, .variation = 40},
                       {.image = Img::GlowS, .nodes = 14, .speedMin = 0.03f, .speedMax = 0.08f, .scale = 1.4f, .fade = -0.3f, .spread = 20, .color = 0x8040FF}}}},
    {"small blast", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.2f, .scaleDir = 0.002f, .fade = -1.4f, .life = 250, .color = 0xFFE0B0},
                      {.image = Img::FlameS, .nodes = 14, .speedMin = 0.05f, .speedMax = 0.12f, .drag = 0.0025f, .scale = 1.0f, .scaleDir = 0.0005f, .spin = 0.2f, .fade = -0.6f, .spread = 6},
                      {.image = Img::Spark, .nodes = 14, .speedMin = 0.15f, .speedMax = 0.25f, .drag = 0.003f, .scale = 0.4f, .stretch = 2.5f, .toward = true, .fade = -0.7f, .color = 0xFFD080}}}},
    {"white flash", {{{.image = Img::Flare, .nodes = 1, .scale = 2.2f, .scaleDir = 0.004f, .fade = -0.9f, .life = 300},
                      {.image = Img::GlowL, .nodes = 3, .scale = 1.5f, .scaleDir = 0.006f, .fade = -0.8f, .life = 350}}}},

    // 29-36: shatters: crystal shards tossed up, falling, bouncing on the ground below.
    {"ice shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0xC0E8FF, .variation = 20, .floor = 60},
                      {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0xE0F4FF, .floor = 60},
                      {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xD0F0FF}}}},
    {"ruby shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0xFF3040, .variation = 20, .floor = 60},
                       {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0xFF8090, .floor = 60},
                       {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xFF8080}}}},
    {"emerald shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0x30FF70, .variation = 20, .floor = 60},
                          {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0x90FFB0, .floor = 60},
                          {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0x80FF90}}}},
    {"sapphire shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0x3060FF, .variation = 20, .floor = 60},
                           {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0x90B0FF, .floor = 60},
                           {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0x8090FF}}}},
    {"topaz shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0xFFD020, .variation = 20, .floor = 60},
                        {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0xFFF090, .floor = 60},
                        {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xFFE080}}}},
    {"amethyst shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0xB040FF, .variation = 20, .floor = 60},
                           {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0xE0A0FF, .floor = 60},
                           {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xD080FF}}}},
    {"amber shatter", {{{.image = Img::ShardL, .nodes = 14, .speedMin = 0.1f, .speedMax = 0.24f, .gravity = 0.0008f, .scale = 0.45f, .spin = 0.5f, .fade = -0.22f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0xFF8010, .variation = 20, .floor = 60},
                        {.image = Img::ShardS, .nodes = 24, .speedMin = 0.08f, .speedMax = 0.22f, .gravity = 0.0008f, .scale = 0.7f, .spin = 0.8f, .fade = -0.26f, .life = 1400, .angleStart = 270, .angleRange = 180, .color = 0xFFC080, .floor = 60},
                        {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xFFB060}}}},
    {"glass shatter", {{{.image = Img::ShardL, .nodes = 20, .speedMin = 0.1f, .speedMax = 0.34f, .gravity = 0.0008f, .scale = 0.5f, .spin = 0.7f, .alpha = 220, .fade = -0.2f, .life = 1500, .angleStart = 270, .angleRange = 180, .variation = 10, .floor = 70},
                        {.image = Img::ShardS, .nodes = 30, .speedMin = 0.08f, .speedMax = 0.3f, .gravity = 0.0008f, .scale = 0.6f, .spin = 1.0f, .alpha = 220, .fade = -0.24f, .life = 1500, .angleStart = 260, .angleRange = 200, .floor = 70}}}},

    // 37-44: fireworks: shells of sparks hanging in the air and falling.
    {"gold peony", {{{.image = Img::Spark, .nodes = 90, .speedMin = 0.15f, .speedMax = 0.18f, .drag = 0.0011f, .gravity = 0.00012f, .scale = 0.6f, .scaleDir = -0.0003f, .stretch = 1.6f, .toward = true, .fade = -0.3f, .color = 0xFFC850, .variation = 25},
                     {.image = Img::GlowL, .nodes = 2, .scale = 2.2f, .scaleDir = 0.002f, .fade = -1.0f, .life = 300, .color = 0xFFE0A0}}}},
    {"chrysanthemum", {{{.image = Img::Spark, .nodes = 120, .speedMin = 0.24f, .speedMax = 0.3f, .drag = 0.0011f, .gravity = 0.00012f, .scale = 0.55f, .scaleDir = -0.0004f, .stretch = 3.0f, .toward = true, .fade = -0.34f, .color = 0xA0A0C0, .variation = 110},
                        {.image = Img::StarS, .nodes = 20, .speedMin = 0.1f, .speedMax = 0.25f, .drag = 0.0012f, .gravity = 0.0001f, .scale = 0.9f, .scaleDir = -0.0006f, .spin = 0.5f, .fade = -0.36f, .variation = 60},
                        {.image = Img::GlowL, .nodes = 2, .scale = 2.4f, .scaleDir = 0.002f, .fade = -1.0f, .life = 300}}}},
    {"gold willow", {{{.image = Img::Spark, .nodes = 80, .speedMin = 0.12f, .speedMax = 0.16f, .drag = 0.0009f, .gravity = 0.00024f, .scale = 0.55f, .scaleDir = -0.0002f, .stretch = 2.2f, .toward = true, .fade = -0.2f, .life = 1600, .color = 0xFFB040, .variation = 20},
                      {.image = Img::GlowS, .nodes = 30, .speedMin = 0.1f, .speedMax = 0.15f, .drag = 0.0009f, .gravity = 0.0002f, .scale = 0.7f, .alpha = 160, .fade = -0.16f, .life = 1600, .color = 0xFF9020}}}},
    {"ring shell", {{{.image = Img::Spark, .nodes = 48, .speedMin = 0.2f, .speedMax = 0.2f, .drag = 0.0012f, .gravity = 0.00008f, .scale = 0.6f, .stretch = 2.5f, .toward = true, .fade = -0.32f, .even = true, .color = 0x60E0FF},
                     {.image = Img::StarS, .nodes = 24, .speedMin = 0.1f, .speedMax = 0.1f, .drag = 0.0012f, .gravity = 0.00008f, .scale = 0.8f, .spin = 0.4f, .fade = -0.36f, .even = true, .color = 0xE0FFFF},
                     {.image = Img::GlowL, .nodes = 1, .scale = 2, .fade = -1.0f, .life = 300, .color = 0xA0F0FF}}}},
    {"red and white shell", {{{.image = Img::Spark, .nodes = 60, .speedMin = 0.16f, .speedMax = 0.2f, .drag = 0.0011f, .gravity = 0.00012f, .scale = 0.6f, .stretch = 2.0f, .toward = true, .fade = -0.3f, .color = 0xFF3030, .variation = 20},
                              {.image = Img::Spark, .nodes = 40, .speedMin = 0.1f, .speedMax = 0.14f, .drag = 0.0011f, .gravity = 0.00012f, .scale = 0.5f, .stretch = 1.5f, .toward = true, .fade = -0.34f},
                              {.image = Img::GlowL, .nodes = 1, .scale = 2, .fade = -1.0f, .life = 300, .color = 0xFFA0A0}}}},
    {"green crackle", {{{.image = Img::Spark, .nodes = 70, .speedMin = 0.14f, .speedMax = 0.22f, .drag = 0.0012f, .gravity = 0.0001f, .scale = 0.55f, .stretch = 2.0f, .toward = true, .fade = -0.32f, .color = 0x60FF50, .variation = 30},
                        {.image = Img::Twinkle, .nodes = 30, .speedMin = 0.05f, .speedMax = 0.2f, .drag = 0.0012f, .gravity = 0.0001f, .scale = 0.6f, .scaleDir = -0.0005f, .spin = 0.8f, .fade = -0.3f, .color = 0xE0FFC0, .nodeDelay = 12}}}},
    {"blue peony", {{{.image = Img::GlowS, .nodes = 70, .speedMin = 0.14f, .speedMax = 0.17f, .drag = 0.0011f, .gravity = 0.0001f, .scale = 0.8f, .scaleDir = -0.0004f, .fade = -0.3f, .color = 0x4080FF, .variation = 30},
                     {.image = Img::Spark, .nodes = 40, .speedMin = 0.08f, .speedMax = 0.12f, .drag = 0.0011f, .gravity = 0.0001f, .scale = 0.5f, .stretch = 2, .toward = true, .fade = -0.34f, .color = 0xC0E0FF},
                     {.image = Img::GlowL, .nodes = 1, .scale = 2, .fade = -1.0f, .life = 300, .color = 0x90B0FF}}}},
    {"palm", {{{.image = Img::Spark, .nodes = 9, .speedMin = 0.26f, .speedMax = 0.26f, .drag = 0.0012f, .gravity = 0.0002f, .scale = 1.1f, .scaleDir = -0.0004f, .stretch = 3.5f, .toward = true, .fade = -0.26f, .even = true, .color = 0xFFD070},
               {.image = Img::GlowS, .nodes = 36, .speedMin = 0.06f, .speedMax = 0.24f, .drag = 0.0012f, .gravity = 0.0002f, .scale = 0.6f, .alpha = 180, .fade = -0.3f, .color = 0xFFA040, .variation = 20},
               {.image = Img::GlowL, .nodes = 1, .scale = 2.2f, .fade = -1.0f, .life = 300, .color = 0xFFE0A0}}}},

    // 45-50: smoke: slow clouds that swell, rise and thin out.
    {"grey puff", {{{.image = Img::SmokeL, .nodes = 16, .speedMin = 0.04f, .speedMax = 0.12f, .drag = 0.0008f, .gravity = -0.00002f, .scale = 1.1f, .scaleDir = 0.0016f, .spin = 0.06f, .alpha = 210, .fade = -0.15f, .life = 1500, .spread = 12, .color = 0xA0A0A8, .variation = 15}}}},
    {"after-blast smoke", {{{.image = Img::SmokeL, .nodes = 18, .speedMin = 0.03f, .speedMax = 0.11f, .drag = 0.0008f, .gravity = -0.00003f, .scale = 1.2f, .scaleDir = 0.0014f, .spin = 0.05f, .alpha = 200, .fade = -0.12f, .life = 1600, .spread = 20, .color = 0xB09080, .variation = 20},
                            {.image = Img::FlameS, .nodes = 24, .speedMin = 0.02f, .speedMax = 0.07f, .gravity = -0.00008f, .scale = 0.8f, .scaleDir = -0.0005f, .rotate = 0, .fade = -0.28f, .spread = 30, .angleStart = 300, .angleRange = 120, .variation = 20},
                            {.image = Img::GlowL, .nodes = 2, .scale = 2.4f, .scaleDir = 0.001f, .alpha = 150, .fade = -0.3f, .life = 500, .color = 0xFF9050}}}},
    {"smoke column", {{{.image = Img::SmokeL, .nodes = 22, .speedMin = 0.05f, .speedMax = 0.09f, .gravity = -0.00008f, .scale = 0.9f, .scaleDir = 0.0016f, .spin = 0.08f, .alpha = 210, .fade = -0.13f, .life = 1800, .spread = 10, .angleStart = 340, .angleRange = 40, .color = 0x807878, .variation = 15, .nodeDelay = 40}}}},
    {"dust cloud", {{{.image = Img::SmokeL, .nodes = 16, .speedMin = 0.06f, .speedMax = 0.16f, .drag = 0.0014f, .scale = 0.9f, .scaleDir = 0.0016f, .spin = 0.04f, .alpha = 200, .fade = -0.18f, .life = 1200, .angleStart = 200, .angleRange = 320 - 200, .color = 0xC0A070, .variation = 20},
                     {.image = Img::SmokeS, .nodes = 20, .speedMin = 0.08f, .speedMax = 0.18f, .drag = 0.002f, .gravity = 0.00015f, .scale = 1, .alpha = 180, .fade = -0.3f, .angleStart = 270, .angleRange = 180, .color = 0xA08050}}}},
    {"steam", {{{.image = Img::SmokeL, .nodes = 20, .speedMin = 0.04f, .speedMax = 0.08f, .gravity = -0.00014f, .scale = 0.8f, .scaleDir = 0.002f, .spin = 0.1f, .alpha = 200, .fade = -0.14f, .life = 1500, .spread = 16, .angleStart = 315, .angleRange = 90, .color = 0xE8F0FF, .nodeDelay = 25}}}},
    {"poison cloud", {{{.image = Img::SmokeL, .nodes = 16, .speedMin = 0.02f, .speedMax = 0.07f, .scale = 1.0f, .scaleDir = 0.0016f, .spin = 0.06f, .alpha = 200, .fade = -0.12f, .life = 1800, .spread = 24, .color = 0x70D040, .variation = 30},
                       {.image = Img::RingS, .nodes = 10, .speedMin = 0.01f, .speedMax = 0.04f, .gravity = -0.00006f, .scale = 0.8f, .scaleDir = 0.0005f, .fade = -0.25f, .spread = 30, .color = 0xB0FF70, .nodeDelay = 60}}}},

    // 51-58: fountains and jets: pieces thrown one way and pulled down.
    {"gold fountain", {{{.image = Img::Spark, .nodes = 70, .speedMin = 0.22f, .speedMax = 0.36f, .gravity = 0.0007f, .scale = 0.5f, .stretch = 2.2f, .toward = true, .fade = -0.3f, .angleStart = 345, .angleRange = 30, .color = 0xFFC040, .variation = 25, .nodeDelay = 6},
                        {.image = Img::GlowS, .nodes = 20, .speedMin = 0.2f, .speedMax = 0.3f, .gravity = 0.0007f, .scale = 0.6f, .alpha = 150, .fade = -0.3f, .angleStart = 345, .angleRange = 30, .color = 0xFF9020, .nodeDelay = 20}}}},
    {"water fountain", {{{.image = Img::GlowS, .nodes = 60, .speedMin = 0.22f, .speedMax = 0.34f, .gravity = 0.0007f, .scale = 0.7f, .scaleDir = -0.0003f, .alpha = 200, .fade = -0.28f, .angleStart = 340, .angleRange = 40, .color = 0x60B0FF, .variation = 30, .floor = 40, .nodeDelay = 8},
                         {.image = Img::RingS, .nodes = 12, .speedMin = 0.15f, .speedMax = 0.3f, .gravity = 0.0007f, .scale = 0.6f, .fade = -0.3f, .angleStart = 330, .angleRange = 60, .color = 0xC0E0FF, .floor = 40, .nodeDelay = 25}}}},
    {"spark rain", {{{.image = Img::Spark, .nodes = 60, .speedMin = 0.05f, .speedMax = 0.15f, .gravity = 0.0004f, .scale = 0.5f, .stretch = 2.5f, .rotate = 180, .fade = -0.3f, .spread = 60, .angleStart = 150, .angleRange = 60, .color = 0xFFE080, .variation = 30, .nodeDelay = 10}}}},
    {"left jet", {{{.image = Img::FlameS, .nodes = 40, .speedMin = 0.2f, .speedMax = 0.32f, .drag = 0.0015f, .scale = 0.9f, .scaleDir = 0.001f, .stretch = 1.4f, .toward = true, .fade = -0.5f, .angleStart = 260, .angleRange = 20, .variation = 20, .nodeDelay = 8},
                   {.image = Img::SmokeS, .nodes = 12, .speedMin = 0.1f, .speedMax = 0.16f, .drag = 0.0012f, .scale = 1, .scaleDir = 0.0015f, .alpha = 120, .fade = -0.16f, .angleStart = 255, .angleRange = 30, .color = 0x908880, .nodeDelay = 25}}}},
    {"right jet", {{{.image = Img::FlameS, .nodes = 40, .speedMin = 0.2f, .speedMax = 0.32f, .drag = 0.0015f, .scale = 0.9f, .scaleDir = 0.001f, .stretch = 1.4f, .toward = true, .fade = -0.5f, .angleStart = 80, .angleRange = 20, .variation = 20, .nodeDelay = 8},
                    {.image = Img::SmokeS, .nodes = 12, .speedMin = 0.1f, .speedMax = 0.16f, .drag = 0.0012f, .scale = 1, .scaleDir = 0.0015f, .alpha = 120, .fade = -0.16f, .angleStart = 75, .angleRange = 30, .color = 0x908880, .nodeDelay = 25}}}},
    {"v spray", {{{.image = Img::Spark, .nodes = 36, .speedMin = 0.2f, .speedMax = 0.3f, .gravity = 0.0005f, .scale = 0.5f, .stretch = 2.5f, .toward = true, .fade = -0.4f, .angleStart = 305, .angleRange = 25, .color = 0x80FFE0, .variation = 30},
                  {.image = Img::Spark, .nodes = 36, .speedMin = 0.2f, .speedMax = 0.3f, .gravity = 0.0005f, .scale = 0.5f, .stretch = 2.5f, .toward = true, .fade = -0.4f, .angleStart = 30, .angleRange = 25, .color = 0x80FFE0, .variation = 30},
                  {.image = Img::GlowL, .nodes = 1, .scale = 1.4f, .fade = -1.2f, .life = 250, .color = 0xC0FFF0}}}},
    {"splash", {{{.image = Img::GlowS, .nodes = 40, .speedMin = 0.1f, .speedMax = 0.28f, .gravity = 0.0008f, .scale = 0.6f, .alpha = 220, .fade = -0.3f, .angleStart = 280, .angleRange = 160, .color = 0x70C0FF, .variation = 30, .floor = 20},
                 {.image = Img::RingL, .nodes = 1, .scale = 0.3f, .scaleDir = 0.004f, .stretch = 0.35f, .rotate = 0, .fade = -0.45f, .life = 600, .color = 0xA0D8FF}}}},
    {"geyser", {{{.image = Img::SmokeS, .nodes = 40, .speedMin = 0.3f, .speedMax = 0.42f, .gravity = 0.0006f, .scale = 0.8f, .scaleDir = 0.0012f, .spin = 0.1f, .alpha = 180, .fade = -0.22f, .angleStart = 355, .angleRange = 10, .color = 0xE0F0FF, .nodeDelay = 10},
                 {.image = Img::GlowS, .nodes = 30, .speedMin = 0.3f, .speedMax = 0.45f, .gravity = 0.0006f, .scale = 0.5f, .fade = -0.3f, .angleStart = 350, .angleRange = 20, .color = 0x90D0FF, .nodeDelay = 12}}}},

    // 59-66: rising embers, spirits and dust.
    {"embers", {{{.image = Img::FlameS, .nodes = 30, .speedMin = 0.02f, .speedMax = 0.09f, .gravity = -0.00012f, .scale = 0.8f, .scaleDir = -0.0006f, .rotate = 0, .fade = -0.26f, .spread = 34, .angleStart = 300, .angleRange = 120, .variation = 25, .nodeDelay = 15},
                 {.image = Img::GlowS, .nodes = 20, .speedMin = 0.01f, .speedMax = 0.05f, .gravity = -0.0001f, .scale = 0.5f, .fade = -0.3f, .spread = 40, .color = 0xFFA040, .nodeDelay = 20}}}},
    {"blue spirits", {{{.image = Img::FlameS, .nodes = 24, .speedMin = 0.02f, .speedMax = 0.06f, .gravity = -0.00016f, .scale = 1.0f, .scaleDir = -0.0007f, .rotate = 0, .fade = -0.24f, .spread = 36, .angleStart = 330, .angleRange = 60, .color = 0x5090FF, .variation = 25, .nodeDelay = 20},
                       {.image = Img::GlowS, .nodes = 12, .speedMin = 0.0f, .speedMax = 0.03f, .gravity = -0.00012f, .scale = 1.2f, .alpha = 140, .fade = -0.2f, .spread = 30, .color = 0x80B0FF, .nodeDelay = 30}}}},
    {"green sparkles", {{{.image = Img::Twinkle, .nodes = 30, .speedMin = 0.01f, .speedMax = 0.05f, .gravity = -0.0001f, .scale = 0.7f, .scaleDir = -0.0006f, .spin = 0.4f, .fade = -0.3f, .spread = 50, .color = 0x80FF90, .variation = 40, .nodeDelay = 18}}}},
    {"pink bubbles", {{{.image = Img::GlowS, .nodes = 24, .speedMin = 0.02f, .speedMax = 0.07f, .gravity = -0.00009f, .scale = 1.1f, .scaleDir = 0.0004f, .alpha = 200, .fade = -0.24f, .spread = 40, .color = 0xFF70C0, .variation = 30, .nodeDelay = 20},
                       {.image = Img::RingS, .nodes = 12, .speedMin = 0.02f, .speedMax = 0.05f, .gravity = -0.0001f, .scale = 1.0f, .fade = -0.26f, .spread = 40, .color = 0xFFC0E0, .nodeDelay = 30}}}},
    {"gold dust", {{{.image = Img::Spark, .nodes = 50, .speedMin = 0.02f, .speedMax = 0.1f, .drag = 0.0008f, .gravity = 0.00004f, .scale = 0.35f, .spin = 0.5f, .fade = -0.24f, .spread = 20, .color = 0xFFD050, .variation = 30},
                    {.image = Img::GlowL, .nodes = 2, .scale = 1.8f, .scaleDir = 0.001f, .alpha = 150, .fade = -0.4f, .life = 400, .color = 0xFFC060}}}},
    {"flame burst", {{{.image = Img::FlameL, .nodes = 22, .speedMin = 0.08f, .speedMax = 0.2f, .drag = 0.0016f, .gravity = -0.0001f, .scale = 0.7f, .scaleDir = 0.0004f, .rotate = 0, .fade = -0.42f, .spread = 10, .angleStart = 310, .angleRange = 100, .variation = 20},
                      {.image = Img::FlameS, .nodes = 20, .speedMin = 0.04f, .speedMax = 0.14f, .gravity = -0.00015f, .scale = 0.8f, .scaleDir = -0.0006f, .rotate = 0, .fade = -0.35f, .spread = 20, .angleStart = 320, .angleRange = 80, .nodeDelay = 15}}}},
    {"candle puff", {{{.image = Img::FlameL, .nodes = 8, .speedMin = 0.03f, .speedMax = 0.06f, .gravity = -0.00012f, .scale = 1.0f, .scaleDir = -0.0008f, .rotate = 0, .fade = -0.4f, .spread = 6, .angleStart = 350, .angleRange = 20},
                      {.image = Img::SmokeL, .nodes = 10, .speedMin = 0.03f, .speedMax = 0.06f, .gravity = -0.0001f, .scale = 0.5f, .scaleDir = 0.0014f, .spin = 0.1f, .alpha = 180, .fade = -0.14f, .life = 1400, .spread = 6, .angleStart = 340, .angleRange = 40, .color = 0xB0B0B0, .nodeDelay = 40}}}},
    {"fairy dust", {{{.image = Img::StarS, .nodes = 36, .speedMin = 0.02f, .speedMax = 0.1f, .drag = 0.001f, .gravity = -0.00005f, .scale = 0.8f, .scaleDir = -0.0007f, .spin = 0.6f, .fade = -0.3f, .spread = 16, .color = 0xFFE0FF, .variation = 60, .nodeDelay = 10},
                     {.image = Img::GlowS, .nodes = 10, .speedMin = 0.01f, .speedMax = 0.04f, .scale = 1.2f, .alpha = 150, .fade = -0.25f, .spread = 30, .color = 0xE0B0FF}}}},

    // 67-72: novas: rayed flares flung evenly outwards from a bright centre.
    {"white nova", {{{.image = Img::Flare, .nodes = 12, .speedMin = 0.3f, .speedMax = 0.3f, .drag = 0.0015f, .scale = 0.7f, .scaleDir = -0.0004f, .spin = 0.2f, .fade = -0.38f, .even = true},
                     {.image = Img::Flare, .nodes = 1, .scale = 1.8f, .scaleDir = 0.002f, .spin = 0.15f, .fade = -0.8f, .life = 350}}}},
    {"sun burst", {{{.image = Img::Flare, .nodes = 8, .speedMin = 0.24f, .speedMax = 0.24f, .drag = 0.0015f, .scale = 0.9f, .scaleDir = -0.0005f, .spin = 0.3f, .fade = -0.38f, .even = true, .color = 0xFFD050},
                    {.image = Img::Spark, .nodes = 32, .speedMin = 0.34f, .speedMax = 0.38f, .drag = 0.0016f, .scale = 0.55f, .stretch = 3, .toward = true, .fade = -0.42f, .even = true, .color = 0xFFB030},
                    {.image = Img::GlowL, .nodes = 2, .scale = 2.2f, .scaleDir = 0.002f, .fade = -0.9f, .life = 350, .color = 0xFFE080}}}},
    {"red nova", {{{.image = Img::Flare, .nodes = 10, .speedMin = 0.32f, .speedMax = 0.32f, .drag = 0.0015f, .scale = 0.7f, .scaleDir = -0.0004f, .spin = -0.3f, .fade = -0.38f, .even = true, .color = 0xFF4040},
                   {.image = Img::GlowS, .nodes = 20, .speedMin = 0.05f, .speedMax = 0.12f, .drag = 0.002f, .scale = 1.2f, .fade = -0.45f, .color = 0xFF8060}}}},
    {"blue nova", {{{.image = Img::Flare, .nodes = 10, .speedMin = 0.32f, .speedMax = 0.32f, .drag = 0.0015f, .scale = 0.7f, .scaleDir = -0.0004f, .spin = 0.3f, .fade = -0.38f, .even = true, .color = 0x4070FF},
                    {.image = Img::RingL, .nodes = 1, .scale = 0.4f, .scaleDir = 0.006f, .fade = -0.5f, .life = 500, .color = 0x80A0FF}}}},
    {"green nova", {{{.image = Img::Flare, .nodes = 10, .speedMin = 0.32f, .speedMax = 0.32f, .drag = 0.0015f, .scale = 0.7f, .scaleDir = -0.0004f, .spin = 0.3f, .fade = -0.38f, .even = true, .color = 0x40FF60},
                     {.image = Img::StarS, .nodes = 20, .speedMin = 0.06f, .speedMax = 0.14f, .drag = 0.002f, .scale = 0.9f, .spin = 0.5f, .fade = -0.5f, .color = 0xC0FFC0}}}},
    {"rainbow nova", {{{.image = Img::Flare, .nodes = 14, .speedMin = 0.3f, .speedMax = 0.3f, .drag = 0.0015f, .scale = 0.7f, .scaleDir = -0.0004f, .spin = 0.25f, .fade = -0.38f, .even = true, .color = 0x8080A0, .variation = 127},
                       {.image = Img::Flare, .nodes = 1, .scale = 1.6f, .scaleDir = 0.002f, .fade = -0.8f, .life = 350}}}},

    // 73-80: confetti, debris and things that drift down.
    {"confetti", {{{.image = Img::ShardS, .nodes = 60, .speedMin = 0.1f, .speedMax = 0.3f, .drag = 0.0014f, .gravity = 0.00016f, .scale = 0.7f, .stretch = 0.5f, .spin = 0.9f, .fade = -0.2f, .life = 1600, .angleStart = 270, .angleRange = 180, .color = 0x8080A0, .variation = 127}}}},
    {"gold coins", {{{.image = Img::GlowS, .nodes = 24, .speedMin = 0.16f, .speedMax = 0.3f, .gravity = 0.0008f, .scale = 0.7f, .stretch = 0.6f, .spin = 0.7f, .fade = -0.2f, .life = 1500, .angleStart = 300, .angleRange = 120, .color = 0xFFC030, .variation = 20, .floor = 50},
                     {.image = Img::Twinkle, .nodes = 10, .speedMin = 0.05f, .speedMax = 0.15f, .drag = 0.002f, .scale = 0.6f, .spin = 0.5f, .fade = -0.5f, .color = 0xFFF0A0}}}},
    {"rock debris", {{{.image = Img::ShardS, .nodes = 30, .speedMin = 0.12f, .speedMax = 0.3f, .gravity = 0.0009f, .scale = 0.8f, .spin = 0.6f, .alpha = 230, .fade = -0.2f, .life = 1400, .angleStart = 280, .angleRange = 160, .color = 0x907860, .variation = 25, .floor = 50},
                      {.image = Img::SmokeL, .nodes = 10, .speedMin = 0.02f, .speedMax = 0.08f, .drag = 0.001f, .scale = 0.7f, .scaleDir = 0.0014f, .spin = 0.05f, .alpha = 140, .fade = -0.16f, .spread = 16, .color = 0xA09070}}}},
    {"snow", {{{.image = Img::StarS, .nodes = 40, .speedMin = 0.03f, .speedMax = 0.1f, .drag = 0.0015f, .gravity = 0.00005f, .scale = 0.7f, .spin = 0.15f, .fade = -0.18f, .life = 1800, .spread = 20, .color = 0xF0F8FF},
               {.image = Img::GlowS, .nodes = 20, .speedMin = 0.02f, .speedMax = 0.08f, .drag = 0.0015f, .gravity = 0.00005f, .scale = 0.5f, .fade = -0.2f, .spread = 30, .color = 0xD0E8FF}}}},
    {"leaves", {{{.image = Img::ShardS, .nodes = 30, .speedMin = 0.06f, .speedMax = 0.18f, .drag = 0.0016f, .gravity = 0.00008f, .scale = 0.9f, .stretch = 0.6f, .spin = 0.35f, .fade = -0.18f, .life = 1800, .angleStart = 270, .angleRange = 180, .color = 0x70C030, .variation = 40}}}},
    {"petals", {{{.image = Img::GlowS, .nodes = 30, .speedMin = 0.06f, .speedMax = 0.18f, .drag = 0.0016f, .gravity = 0.00008f, .scale = 0.8f, .stretch = 0.55f, .spin = 0.3f, .alpha = 220, .fade = -0.18f, .life = 1800, .color = 0xFF90C0, .variation = 30}}}},
    {"bubbles", {{{.image = Img::RingS, .nodes = 24, .speedMin = 0.03f, .speedMax = 0.1f, .drag = 0.001f, .gravity = -0.00012f, .scale = 0.6f, .scaleDir = 0.0006f, .fade = -0.24f, .spread = 24, .color = 0xA0E0FF, .variation = 20, .nodeDelay = 15},
                  {.image = Img::RingL, .nodes = 4, .speedMin = 0.02f, .speedMax = 0.05f, .gravity = -0.0001f, .scale = 0.4f, .scaleDir = 0.0004f, .fade = -0.22f, .spread = 24, .color = 0xC0F0FF, .nodeDelay = 80}}}},
    {"glitter", {{{.image = Img::Twinkle, .nodes = 40, .speedMin = 0.04f, .speedMax = 0.2f, .drag = 0.0016f, .gravity = 0.00006f, .scale = 0.7f, .scaleDir = -0.0005f, .spin = 0.7f, .fade = -0.34f, .color = 0xA0A0A0, .variation = 100, .nodeDelay = 8}}}},

    // 81-85: energy: electric, magic, healing and frost.
    {"electric", {{{.image = Img::Spark, .nodes = 30, .speedMin = 0.3f, .speedMax = 0.5f, .drag = 0.004f, .scale = 0.45f, .stretch = 4.5f, .toward = true, .fade = -1.1f, .color = 0x70C0FF, .variation = 30, .nodeDelay = 6},
                   {.image = Img::GlowL, .nodes = 3, .scale = 1.6f, .scaleDir = 0.001f, .fade = -1.0f, .life = 300, .spread = 10, .color = 0x80C0FF}}}},
    {"lightning", {{{.image = Img::Spark, .nodes = 14, .speedMin = 0.45f, .speedMax = 0.7f, .drag = 0.0035f, .scale = 0.55f, .stretch = 6, .toward = true, .fade = -0.9f, .color = 0xE8F0FF},
                    {.image = Img::Flare, .nodes = 1, .scale = 2.0f, .scaleDir = 0.003f, .fade = -1.2f, .life = 250, .color = 0xE0F0FF}}}},
    {"magic swirl", {{{.image = Img::StarL, .nodes = 16, .speedMin = 0.08f, .speedMax = 0.12f, .drag = 0.0015f, .scale = 0.5f, .scaleDir = -0.0003f, .spin = 0.8f, .fade = -0.35f, .even = true, .color = 0xC070FF, .nodeDelay = 20},
                      {.image = Img::GlowS, .nodes = 16, .speedMin = 0.04f, .speedMax = 0.1f, .drag = 0.0015f, .scale = 1.0f, .fade = -0.35f, .color = 0x8050FF, .variation = 30}}}},
    {"heal", {{{.image = Img::Twinkle, .nodes = 20, .speedMin = 0.01f, .speedMax = 0.04f, .gravity = -0.00012f, .scale = 0.8f, .scaleDir = -0.0006f, .spin = 0.3f, .fade = -0.3f, .spread = 40, .color = 0x70FF90, .nodeDelay = 20},
               {.image = Img::GlowL, .nodes = 3, .scale = 1.4f, .scaleDir = 0.001f, .alpha = 150, .fade = -0.3f, .life = 600, .spread = 12, .color = 0x60FF80},
               {.image = Img::RingL, .nodes = 1, .scale = 0.5f, .scaleDir = 0.003f, .fade = -0.4f, .life = 600, .color = 0xA0FFB0}}}},
    {"frost burst", {{{.image = Img::ShardS, .nodes = 24, .speedMin = 0.14f, .speedMax = 0.26f, .drag = 0.0025f, .scale = 0.8f, .stretch = 1.8f, .toward = true, .fade = -0.45f, .color = 0xC0E8FF, .variation = 15},
                      {.image = Img::StarS, .nodes = 16, .speedMin = 0.05f, .speedMax = 0.15f, .drag = 0.002f, .scale = 0.9f, .spin = 0.4f, .fade = -0.4f, .color = 0xFFFFFF},
                      {.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .fade = -0.9f, .life = 300, .color = 0xA0D8FF}}}},

    // 86-87: soft blooms for behind the board: big, dim and slow.
    {"cool bloom", {{{.image = Img::GlowL, .nodes = 6, .speedMin = 0.01f, .speedMax = 0.04f, .scale = 1.2f, .scaleDir = 0.0012f, .alpha = 110, .fade = -0.09f, .life = 1500, .spread = 24, .color = 0x6070FF, .variation = 40},
                     {.image = Img::StarS, .nodes = 8, .speedMin = 0.02f, .speedMax = 0.06f, .scale = 0.8f, .spin = 0.2f, .alpha = 200, .fade = -0.2f, .spread = 30, .color = 0xC0C8FF, .nodeDelay = 60}}}},
    {"warm bloom", {{{.image = Img::GlowL, .nodes = 6, .speedMin = 0.01f, .speedMax = 0.04f, .scale = 1.2f, .scaleDir = 0.0012f, .alpha = 110, .fade = -0.09f, .life = 1500, .spread = 24, .color = 0xFF60A0, .variation = 40},
                     {.image = Img::StarS, .nodes = 8, .speedMin = 0.02f, .speedMax = 0.06f, .scale = 0.8f, .spin = 0.2f, .alpha = 200, .fade = -0.2f, .spread = 30, .color = 0xFFE0A0, .nodeDelay = 60}}}},

    // 88-93: shaped bursts.
    {"comet ring", {{{.image = Img::GlowS, .nodes = 24, .speedMin = 0.22f, .speedMax = 0.22f, .drag = 0.002f, .scale = 0.8f, .scaleDir = -0.0008f, .stretch = 3.5f, .toward = true, .fade = -0.5f, .even = true, .color = 0xFFA0FF},
                     {.image = Img::GlowS, .nodes = 24, .speedMin = 0.14f, .speedMax = 0.14f, .drag = 0.002f, .scale = 0.6f, .stretch = 2.5f, .toward = true, .fade = -0.55f, .angleStart = 7.5f, .even = true, .color = 0x80C0FF}}}},
    {"double burst", {{{.image = Img::Spark, .nodes = 36, .speedMin = 0.2f, .speedMax = 0.28f, .drag = 0.002f, .scale = 0.5f, .stretch = 2.5f, .toward = true, .fade = -0.5f, .color = 0xFF7040, .variation = 20},
                       {.image = Img::Spark, .nodes = 36, .speedMin = 0.12f, .speedMax = 0.18f, .drag = 0.002f, .scale = 0.5f, .stretch = 2.5f, .toward = true, .fade = -0.5f, .color = 0xFFE060, .variation = 20, .nodeDelay = 6},
                       {.image = Img::GlowL, .nodes = 2, .scale = 1.8f, .fade = -1.0f, .life = 300, .color = 0xFFC080, .nodeDelay = 200}}}},
    {"slow glow", {{{.image = Img::GlowS, .nodes = 30, .speedMin = 0.02f, .speedMax = 0.06f, .scale = 1.0f, .scaleDir = 0.0006f, .alpha = 180, .fade = -0.16f, .life = 1600, .spread = 10, .color = 0xFFE8C0, .variation = 30},
                    {.image = Img::GlowL, .nodes = 1, .scale = 2.0f, .alpha = 160, .fade = -0.2f, .life = 900, .color = 0xFFD090}}}},
    {"cross flare", {{{.image = Img::Spark, .nodes = 4, .speedMin = 0.3f, .speedMax = 0.3f, .drag = 0.0025f, .scale = 1.0f, .stretch = 5, .toward = true, .fade = -0.6f, .even = true},
                      {.image = Img::Spark, .nodes = 4, .speedMin = 0.18f, .speedMax = 0.18f, .drag = 0.0035f, .scale = 0.7f, .stretch = 4, .toward = true, .fade = -0.9f, .angleStart = 45, .even = true, .color = 0xC0E0FF},
                      {.image = Img::Flare, .nodes = 1, .scale = 1.6f, .scaleDir = 0.001f, .fade = -0.7f, .life = 400}}}},
    {"twinkle", {{{.image = Img::StarL, .nodes = 9, .scale = 0.4f, .scaleDir = 0.0025f, .spin = 0.2f, .fade = -0.45f, .life = 560, .spread = 70, .nodeDelay = 50},
                  {.image = Img::GlowS, .nodes = 9, .scale = 1.4f, .alpha = 150, .fade = -0.28f, .life = 540, .spread = 70, .color = 0xC0D0FF, .nodeDelay = 50}}}},
    {"fire ring", {{{.image = Img::FlameL, .nodes = 24, .speedMin = 0.26f, .speedMax = 0.26f, .drag = 0.0016f, .scale = 0.6f, .scaleDir = 0.0006f, .toward = true, .fade = -0.4f, .even = true, .variation = 15},
                    {.image = Img::GlowL, .nodes = 2, .scale = 1.6f, .fade = -1.0f, .life = 300, .color = 0xFFC080}}}},

    // 94: a pop: a compact white burst, made to be tinted.
    {"pop", {{{.image = Img::GlowL, .nodes = 2, .scale = 1.5f, .scaleDir = 0.003f, .fade = -1.4f, .life = 250},
              {.image = Img::Spark, .nodes = 16, .speedMin = 0.26f, .speedMax = 0.3f, .drag = 0.0035f, .scale = 0.55f, .stretch = 2.5f, .toward = true, .fade = -0.9f, .even = true},
              {.image = Img::StarS, .nodes = 8, .speedMin = 0.06f, .speedMax = 0.14f, .drag = 0.003f, .scale = 0.9f, .scaleDir = -0.0012f, .spin = 0.4f, .fade = -0.7f}}}},
}};

// The description of one layer scaled by the caller's size and speed: positions scale with
// SizeScale, and SpeedScale makes the same burst run faster.
PLMExplosionConfig LayerConfig(const Layer& l, float x, float y, float size, float speed) {
    PLMExplosionConfig c;
    const sheet::Rect img = ImageRect(l.image);
    c.TextureIndex = State().Explosions.PFXTexture;
    c.TextureSrcX = img.x;
    c.TextureSrcY = img.y;
    c.TextureSrcWidth = img.w;
    c.TextureSrcHeight = img.h;
    c.TextureSrcFrames = 1;
    c.NodesTotal = l.nodes;
    c.NodesStartDelayMS = l.nodeDelay / speed;
    c.NodeDurationMS = l.life / speed;
    c.AlphaStart = l.alpha;
    c.AlphaFadeSpeed = l.fade * speed;
    c.rotatestart = l.rotate;
    c.RotateDir = l.spin * speed;
    c.XPos = x;
    c.YPos = y;
    c.RandomPosSize = l.spread * size;
    c.AngleStart = l.angleStart;
    c.AngleRange = l.angleRange;
    c.EvenSpread = l.even;
    c.SpeedMin = l.speedMin * size * speed;
    c.SpeedMax = l.speedMax * size * speed;
    c.Drag = l.drag * speed;
    c.YGravity = l.gravity * size * speed * speed;
    c.ScaleStart = l.scale * size;
    c.ScaleDir = l.scaleDir * size * speed;
    c.YStretch = l.stretch;
    c.RotateTowardLaunch = l.toward;
    c.YFloor = l.floor * size;
    c.BounceFactor = 0.45f;
    c.Color = static_cast<int32_t>(0xFF000000u | l.color);
    c.ColorVariation = l.variation;
    return c;
}

}  // namespace

const char* ExplosionPresetName(int32_t Style) {
    return Style >= 1 && Style <= kExplosionPresets ? kPresets[static_cast<size_t>(Style - 1)].name : "";
}

void StartPresetExplosion(int32_t Style, float x, float y, float SizeScale, float SpeedScale, float StartDelay,
                          int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                          int32_t DestinationMode) {
    if (Style < 1 || Style > kExplosionPresets) return;
    const Preset& p = kPresets[static_cast<size_t>(Style - 1)];
    const float speed = SpeedScale > 0.01f ? SpeedScale : 0.01f;  // a still burst would never end
    // The explosion lasts as long as its longest layer's last piece.
    float duration = 0;
    for (const Layer& l : p.layers)
        if (l.nodes > 0) duration = std::max(duration, (l.life + l.nodeDelay * static_cast<float>(l.nodes)) / speed);
    const int32_t slot =
        TakeExplosionSlot(Index, State().Explosions.PFXTexture, duration, StartDelay, SourceMode, DestinationMode);
    ExplosionRecord* r = ExplosionSlot(Index, slot);
    if (!r) return;
    for (const Layer& l : p.layers)
        if (l.nodes > 0) AddBurstNodes(*r, LayerConfig(l, x, y, SizeScale, speed));
    const int32_t count = static_cast<int32_t>(r->NodeCount);
    for (int32_t i = 1; i <= count; ++i) {
        ExplosionNode& n = r->Nodes[static_cast<size_t>(i)];
        if (Red >= 0) n.Red = Red;
        if (Green >= 0) n.Green = Green;
        if (Blue >= 0) n.Blue = Blue;
    }
    r->Running = true;
}

}  // namespace plm
