#pragma once
// The frame-by-frame side of a Gui, as procedures over its state: placement, the pointer tests,
// events, the value changes that Render shares with the published setters, Render and MouseOver.
#include <cstdint>

#include "core/Records.h"
#include "ui/GuiRecords.h"

namespace plm {

// Sets the widget's screen position: its own XPos, Ypos, plus those of frame FrameID when > 0.
template <typename Widget>
void PlaceWidget(const GuiState& gui, Widget& w) {
    w.DrawX = w.XPos;
    w.DrawY = w.Ypos;
    if (w.FrameID > 0) {
        const GuiFrameRecord& f = gui.Frames(w.FrameID);
        w.DrawX += f.XPos;
        w.DrawY += f.Ypos;
    }
}

// True when the pointer lies in the rectangle, whole pixels counted inclusively
// (x <= MouseX <= x + w - 1, y alike). Fails while mouse checking is off and, unless modal, while
// the message box is open (the box's own buttons are tested modal).
bool MouseInRect(const GuiState& gui, float x, float y, float w, float h, bool modal = false);

// Button 1 held in this frame's mouse snapshot.
bool IsMouseButtonDown();

// Raises this frame's event (a later one overwrites it) and copies it to the last event. A button's
// event keeps the value the record held.
void RaiseEvent(GuiState& gui, PLMGuiEventType type, int32_t index, int32_t value);
void RaiseEventKeepValue(GuiState& gui, PLMGuiEventType type, int32_t index);

void SetCheckBoxValue(GuiState& gui, int32_t index, int32_t value);
void SetOptionButtonValue(GuiState& gui, int32_t index, bool value);

// TextHeight and TextWidth of a text from its font, string, spacing and scale.
void MeasureText(GuiTextRecord& t);

void RenderGui(GuiState& gui, bool mouseButton1Clicked);
PLMGuiMouseOver GuiMouseOver(GuiState& gui);

}  // namespace plm
