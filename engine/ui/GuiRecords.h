#pragma once
// The widget records of one Gui and the instance state that holds them. Each Gui owns its own
// nine lists (nothing here is shared engine state); widgets are numbered from 1 in the order they
// were added, and a number outside a list reads a blank record and writes nowhere (Table).
#include <cstdint>
#include <string>

#include "core/Records.h"
#include "core/Table.h"

namespace plm {

// A nine-piece panel: a 3 x 3 source image whose corners stay at natural size while the edges and
// the centre are stretched over DrawWidth x DrawHeight piece sizes.
struct GuiFrameRecord {
    int32_t Texture = 0;
    int32_t SrcX = 0, SrcY = 0;                   // top-left of the 3 x 3 source image
    int32_t Width = 0, Height = 0;                // size of the whole source image
    int32_t CornerWidth = 0, CornerHeight = 0;    // Int(Width / 3), Int(Height / 3)
    float DrawX = 0, DrawY = 0;                   // screen position, set by every pass
    float XPos = 0, Ypos = 0;
    int32_t DrawWidth = 0, DrawHeight = 0;        // piece widths / heights the centre spans
    int32_t FrameID = 0;
    float Alpha = 0;
    float Red = 0, Green = 0, Blue = 0;
    bool Enabled = false;
    bool Visible = false;
};

struct GuiButtonRecord {
    float Alpha = 0;
    int32_t Texture = 0, SrcWidth = 0, SrcHeight = 0;
    int32_t SrcXDown = 0, SrcYDown = 0, SrcXUp = 0, SrcYUp = 0, SrcXHover = 0, SrcYHover = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    int32_t CurrentSrcX = 0, CurrentSrcY = 0;  // the image shown now
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t SoundChannel = 0;  // stored only: the GUI plays no sound
    int32_t State = 0;         // 1 while pressed over the button
    float Red = 0, Green = 0, Blue = 0;
    int32_t FrameID = 0;
};

struct GuiCheckBoxRecord {
    float Alpha = 0;
    int32_t Texture = 0, SrcWidth = 0, SrcHeight = 0;
    int32_t SrcXON = 0, SrcYON = 0, SrcXOFF = 0, SrcYOFF = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    int32_t Value = 0;
    int32_t CurrentSrcX = 0, CurrentSrcY = 0;  // the ON image when Value is 1, else OFF
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t SoundChannel = 0;
    int32_t FrameID = 0;
};

struct GuiOptionButtonRecord {
    float Alpha = 0;
    int32_t Texture = 0, SrcWidth = 0, SrcHeight = 0;
    int32_t SrcXON = 0, SrcYON = 0, SrcXOFF = 0, SrcYOFF = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Value = false;
    int32_t CurrentSrcX = 0, CurrentSrcY = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t Group = 0;  // at most one button of a group is on
    int32_t SoundChannel = 0;
    int32_t FrameID = 0;
};

// A strip of Sections equal parts side by side (Horizontal) or stacked; the part under the pointer
// is drawn from the hover image and a click reports it.
struct GuiMenuStripRecord {
    float Alpha = 0;
    bool Horizontal = false;
    int32_t Texture = 0, SrcX = 0, SrcY = 0, SrcXHover = 0, SrcYHover = 0, SrcWidth = 0, SrcHeight = 0;
    int32_t Sections = 0;
    float SectionSize = 0;  // SrcWidth (or SrcHeight) / Sections; 0 without sections
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t SoundChannel = 0;
    int32_t FrameID = 0;
};

// A strip that keeps one section selected (Value, 1-based). With Slider it follows the held button.
struct GuiMenuBarRecord {
    float Alpha = 0;
    bool Horizontal = false;
    int32_t Texture = 0, SrcX = 0, SrcY = 0, SrcXHover = 0, SrcYHover = 0, SrcXSelected = 0, SrcYSelected = 0;
    int32_t SrcWidth = 0, SrcHeight = 0, Sections = 0;
    float SectionSize = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t SoundChannel = 0;
    int32_t Value = 0;
    int32_t FrameID = 0;
    bool Slider = false;
};

// A bar with a marker: Value runs 1..Length, one source pixel a step.
struct GuiSliderBarRecord {
    float Alpha = 0;
    bool Horizontal = false;
    int32_t Texture = 0, SrcX = 0, SrcY = 0, SrcWidth = 0, SrcHeight = 0;
    int32_t SrcXMarker = 0, SrcYMarker = 0, SrcXMarkerWidth = 0, SrcYMarkerHeight = 0;
    int32_t Length = 0;  // SrcWidth when Horizontal, else SrcHeight
    float Step = 0;      // source pixels per value step
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    int32_t Value = 0;
    int32_t FrameID = 0;
};

struct GuiTileRecord {
    int32_t Texture = 0, SrcWidth = 0, SrcHeight = 0, SrcX = 0, SrcY = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    float Alpha = 0;
    int32_t FrameID = 0;
};

struct GuiTextRecord {
    float Alpha = 0;
    int32_t FontIndex = 0;
    float DrawX = 0, DrawY = 0;
    float XPos = 0, Ypos = 0;
    bool Enabled = false, Visible = false;
    float Scaled = 0;
    float Red = 0, Green = 0, Blue = 0, RedOver = 0, GreenOver = 0, BlueOver = 0;
    std::string Text;
    float Spacing = 0;
    float TextHeight = 0, TextWidth = 0;  // measured when the text is added or set
    float WrapWidth = 0;
    PLMGuiTextAlign Alignment = tCenter;
    int32_t WrapLineSpacing = 0;
    int32_t FrameID = 0;
};

// Everything one Gui holds.
struct GuiState {
    bool GuiEnabled = true;
    bool MouseCheckingOff = false;
    bool MessageBoxOpen = false;
    PLMGuiEvent Event;      // this frame's event (eEventRaised cleared by every Render)
    PLMGuiEvent LastEvent;  // the last event raised, kept across frames
    PLMGuiMsgBoxConfig Box;
    Table<GuiCheckBoxRecord> CheckBoxes;
    Table<GuiOptionButtonRecord> OptionButtons;
    Table<GuiTextRecord> Texts;
    Table<GuiFrameRecord> Frames;
    Table<GuiButtonRecord> Buttons;
    Table<GuiMenuStripRecord> MenuStrips;
    Table<GuiMenuBarRecord> MenuBars;
    Table<GuiTileRecord> Tiles;
    Table<GuiSliderBarRecord> SliderBars;
};

}  // namespace plm
