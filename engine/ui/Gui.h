#pragma once
// A retained-mode widget set drawn from texture images: nine-piece frames, buttons, check boxes,
// option buttons, menu strips and bars, slider bars, image tiles, bitmap-font texts and one modal
// message box. Widgets are added once, changed in place, and drawn and hit-tested by Render once a
// frame, which reports at most one event. A widget with a FrameID > 0 is placed relative to that
// frame's own position.
//
// Every member that takes a widget number checks it: a number outside 1..count reads 0, false or
// "" and writes nothing.
#include <cstdint>
#include <string>

#include "core/Records.h"
#include "ui/GuiRecords.h"

namespace plm {

class Gui {
public:
    // Adding: each appends one widget; its number is the list's new count.
    void AddFrame(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float XPos, float Ypos,
                  int32_t DrawWidth, int32_t DrawHeight, int32_t FrameID, float AlphaValue, float Red, float Green,
                  float Blue, bool Visible);
    void AddButton(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXUp, int32_t SrcYUp,
                   int32_t SrcXDown, int32_t SrcYDown, int32_t SrcXHover, int32_t SrcYHover, float XPos, float Ypos,
                   float Scaled, int32_t SoundChannel, int32_t FrameID, float AlphaValue, float Red, float Green,
                   float Blue, bool Enabled, bool Visible);
    void AddCheckBox(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXON, int32_t SrcYON,
                     int32_t SrcXOFF, int32_t SrcYOFF, float XPos, float Ypos, int32_t Value, float Scaled,
                     int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Enabled, bool Visible);
    void AddOptionButton(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXON, int32_t SrcYON,
                         int32_t SrcXOFF, int32_t SrcYOFF, float XPos, float Ypos, bool Value, float Scaled,
                         int32_t Group, int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Enabled,
                         bool Visible);
    void AddMenuStrip(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                      int32_t SrcXHover, int32_t SrcYHover, int32_t Sections, float XPos, float Ypos, bool Horizontal,
                      float Scaled, int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Enabled,
                      bool Visible);
    void AddMenuBar(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                    int32_t SrcXHover, int32_t SrcYHover, int32_t SrcXSelected, int32_t SrcYSelected, int32_t Sections,
                    float XPos, float Ypos, bool Horizontal, int32_t DefaultValue, float Scaled, int32_t SoundChannel,
                    float AlphaValue, int32_t FrameID, bool Slider, bool Enabled, bool Visible);
    void AddSliderBar(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                      int32_t SrcXMarker, int32_t SrcYMarker, int32_t SrcXMarkerWidth, int32_t SrcYMarkerHeight,
                      float XPos, float Ypos, bool Horizontal, int32_t DefaultValue, float Scaled, float AlphaValue,
                      int32_t FrameID, bool Enabled, bool Visible);
    void AddTile(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight, float XPos,
                 float Ypos, float Scaled, float AlphaValue, int32_t FrameID, bool Visible);
    void AddText(int32_t FontIndex, const std::string& Text, float XPos, float Ypos, float Scaled, float Red,
                 float Green, float Blue, float RedOver, float GreenOver, float BlueOver, float AlphaValue,
                 float Spacing, PLMGuiTextAlign Alignment, float WrapWidth, int32_t WrapLineSpacing, int32_t FrameID,
                 bool Enabled, bool Visible);

    // Changing in place: an argument at its keep marker (-1, -1 or less, or "") leaves its field.
    void SetFrame(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                  float XPos, float Ypos, int32_t DrawWidth, int32_t DrawHeight, int32_t FrameID, float AlphaValue,
                  float Red, float Green, float Blue, bool Enabled);
    void SetTile(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight,
                 float XPos, float Ypos, float Scaled, float AlphaValue, int32_t FrameID, bool Enabled);
    void SetText(int32_t Index, const std::string& Text, float XPos, float Ypos, float Scaled, float Red, float Green,
                 float Blue, float RedOver, float GreenOver, float BlueOver, float Spacing, int32_t Alignment,
                 float WrapWidth, int32_t WrapLineSpacing, int32_t FrameID, bool Enabled);

    // Properties of any widget kind; an ObjectType outside eFrame..eText reads 0 / false.
    float X(PLMGuiEventType ObjectType, int32_t Index) const;
    void X(PLMGuiEventType ObjectType, int32_t Index, float value);
    float Y(PLMGuiEventType ObjectType, int32_t Index) const;
    void Y(PLMGuiEventType ObjectType, int32_t Index, float value);
    float Alpha(PLMGuiEventType ObjectType, int32_t Index) const;
    void Alpha(PLMGuiEventType ObjectType, int32_t Index, float value);
    bool Enabled(PLMGuiEventType ObjectType, int32_t Index) const;
    void Enabled(PLMGuiEventType ObjectType, int32_t Index, bool value);
    bool Visible(PLMGuiEventType ObjectType, int32_t Index) const;
    void Visible(PLMGuiEventType ObjectType, int32_t Index, bool value);

    // Values.
    int32_t CheckBoxValue(int32_t Index) const;
    void CheckBoxValue(int32_t Index, int32_t value);  // stores 1 for any value above 0, else 0
    bool OptionButtonValue(int32_t Index) const;
    void OptionButtonValue(int32_t Index, bool value);  // true switches the rest of its group off
    int32_t MenuBarValue(int32_t Index) const;
    void MenuBarValue(int32_t Index, int32_t value);  // clamped to 1..Sections
    int32_t SliderBarValue(int32_t Index) const;
    void SliderBarValue(int32_t Index, int32_t value);  // clamped to 1..Length
    std::string TextString(int32_t Index) const;
    void TextString(int32_t Index, const std::string& value);  // re-measures and enables the text

    // The whole GUI.
    bool GuiEnabled() const { return s_.GuiEnabled; }
    void GuiEnabled(bool value) { s_.GuiEnabled = value; }
    bool MouseChecking() const { return !s_.MouseCheckingOff; }
    void MouseChecking(bool value) { s_.MouseCheckingOff = !value; }
    PLMGuiEvent GetEvent() const;
    PLMGuiEvent GetLastEvent() const;
    PLMGuiCount Count() const;
    void Reset();

    // Once a frame between Scene.Begin and Scene.Render: lays out, draws and hit-tests every visible
    // widget and raises at most one event (the last in the drawing order).
    void Render(bool MouseButton1Clicked);
    // The enabled widget under the pointer (the last one hit in the visiting order).
    PLMGuiMouseOver MouseOver();
    // Opens the modal box (replacing an open one); while it is open no other widget reacts.
    void MessageBox(const PLMGuiMsgBoxConfig& Config);

private:
    GuiState s_;
};

}  // namespace plm
