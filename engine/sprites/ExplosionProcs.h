#pragma once
// Procedures of the explosion pool that SpritePFX's builders and the preset table share: taking
// a slot, adding nodes, building a burst from a description, and the per-frame pass of a group.
#include <cstdint>

#include "core/Records.h"
#include "sprites/ExplosionRecord.h"

namespace plm {

// Slot s of group g, or null when either lies outside the pool (or before Init).
ExplosionRecord* ExplosionSlot(int32_t group, int32_t slot);

// Takes the next slot of group g (after the last one slot 1 again, whatever runs there) for an
// empty explosion that is not yet running. Returns the slot, or 0 for a group outside the pool.
int32_t TakeExplosionSlot(int32_t group, int32_t texture, float duration, float startDelay, int32_t sourceMode,
                          int32_t destinationMode);

// Adds a node: NodeCount grows to at most 200, further nodes rewrite node 200. The node is
// alive, of kind 0, with every other field 0.
ExplosionNode& AddExplosionNode(ExplosionRecord& r);

// Gives node n the image of one frame, drawn at random, of a strip of `frames` frames (1 when
// fewer) of width x height laid side by side from (srcX, srcY) with a one-pixel gutter.
void PickNodeFrame(ExplosionNode& n, int32_t srcX, int32_t srcY, int32_t width, int32_t height, int32_t frames);

// Adds the nodes of burst c to record r (nothing else of r changes).
void AddBurstNodes(ExplosionRecord& r, const PLMExplosionConfig& c);

// Takes a slot of group g for burst c, fills it and lets it run. False for a group outside.
bool StartBurst(const PLMExplosionConfig& c, int32_t group);

// Steps and draws the running explosions of group g; a group outside the pool does nothing.
void RenderExplosionGroup(int32_t group);

}  // namespace plm
