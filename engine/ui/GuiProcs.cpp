#include "ui/GuiProcs.h"

#include <algorithm>
#include <string>
#include <type_traits>

#include "core/Convert.h"
#include "core/EngineState.h"
#include "ui/GuiDraw.h"

namespace plm {

namespace {

constexpr float kWhite = 255.0f;

// The three images of a push button and its working fields (a widget's or a message-box button's).
struct PushButton {
    int32_t SrcXDown, SrcYDown, SrcXUp, SrcYUp, SrcXHover, SrcYHover;
    int32_t& CurrentSrcX;
    int32_t& CurrentSrcY;
    int32_t& State;

    void Show(int32_t x, int32_t y) const { CurrentSrcX = x, CurrentSrcY = y; }
    void ShowUp() const { Show(SrcXUp, SrcYUp); }
};

// One frame of a push button by the live button-1 state: held over it shows the down image and
// arms it; released over it after being armed completes the click (true), showing the hover
// image; anywhere else it shows the up image (hover when the pointer is over it) and disarms.
bool StepPushButton(const PushButton& b, bool hit, bool enabled) {
    if (IsMouseButtonDown()) {
        if (hit && enabled) {
            b.Show(b.SrcXDown, b.SrcYDown);
            b.State = 1;
        } else {
            b.ShowUp();
            b.State = 0;
        }
        return false;
    }
    if (!hit || !enabled) {
        b.ShowUp();
        b.State = 0;
        return false;
    }
    b.Show(b.SrcXHover, b.SrcYHover);
    if (b.State != 1) return false;
    b.State = 0;
    return true;
}

// Draws a wrapped string line by line (lines separated by Chr(13)), lineStep pixels apart.
void DrawWrappedLines(int32_t font, const std::string& wrapped, float x, float y, float lineStep, float spacing,
                      float alpha, float scale, float red, float green, float blue) {
    size_t start = 0;
    for (int32_t k = 0;; ++k) {
        const size_t end = wrapped.find('\r', start);
        const std::string line = wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start);
        GuiRenderText(font, line, x, y + static_cast<float>(k) * lineStep, spacing, alpha, scale, red, green, blue);
        if (end == std::string::npos) return;
        start = end + 1;
    }
}

// --- Menu strips and bars: Sections equal parts along the strip's length. ---

template <typename Strip>
bool HitStrip(const GuiState& gui, const Strip& m) {
    return MouseInRect(gui, m.DrawX, m.DrawY, static_cast<float>(m.SrcWidth) * m.Scaled,
                       static_cast<float>(m.SrcHeight) * m.Scaled);
}

// The section under the pointer, from 0. Only asked of a strip the pointer is over and that has
// sections, so the section size is not 0.
template <typename Strip>
int32_t SectionUnderPointer(const Strip& m) {
    const EngineState& s = State();
    const float offset = m.Horizontal ? s.MouseX - m.DrawX : s.MouseY - m.DrawY;
    return Int(offset / (m.SectionSize * m.Scaled));
}

// Screen rectangle of section `section` (unscaled source sizes, as MouseOver reports it).
template <typename Strip>
PLMGuiMouseOver SectionArea(const Strip& m, int32_t section) {
    PLMGuiMouseOver r;
    const float along = static_cast<float>(section) * m.SectionSize * m.Scaled;
    const float sections = static_cast<float>(m.Sections);
    if (m.Horizontal) {
        r.eMouseOverXPos = along + m.DrawX;
        r.eMouseOverYpos = m.DrawY;
        r.eMouseOverWidth = static_cast<float>(m.SrcWidth) / sections;
        r.eMouseOverHeight = static_cast<float>(m.SrcHeight);
    } else {
        r.eMouseOverXPos = m.DrawX;
        r.eMouseOverYpos = along + m.DrawY;
        r.eMouseOverWidth = static_cast<float>(m.SrcWidth);
        r.eMouseOverHeight = static_cast<float>(m.SrcHeight) / sections;
    }
    return r;
}

// Draws section `section` of the strip from the image whose first section is at (srcX, srcY).
template <typename Strip>
void DrawSection(const Strip& m, int32_t section, int32_t srcX, int32_t srcY) {
    const PLMGuiMouseOver at = SectionArea(m, section);
    const float s = static_cast<float>(section);
    if (m.Horizontal) {
        DrawGuiImage(m.Texture, RoundHalfEven(at.eMouseOverWidth * s + static_cast<float>(srcX)), srcY,
                     RoundHalfEven(at.eMouseOverWidth), m.SrcHeight, at.eMouseOverXPos, at.eMouseOverYpos, m.Alpha,
                     m.Scaled, m.Scaled, true, kWhite, kWhite, kWhite);
    } else {
        DrawGuiImage(m.Texture, srcX, RoundHalfEven(at.eMouseOverHeight * s + static_cast<float>(srcY)), m.SrcWidth,
                     RoundHalfEven(at.eMouseOverHeight), at.eMouseOverXPos, at.eMouseOverYpos, m.Alpha, m.Scaled,
                     m.Scaled, true, kWhite, kWhite, kWhite);
    }
}

template <typename Strip>
void DrawWholeStrip(const Strip& m) {
    DrawGuiImage(m.Texture, m.SrcX, m.SrcY, m.SrcWidth, m.SrcHeight, m.DrawX, m.DrawY, m.Alpha, m.Scaled, m.Scaled,
                 true, kWhite, kWhite, kWhite);
}

// --- The widget kinds, in drawing order. ---

void RenderFrame(const GuiFrameRecord& f) {
    const float x = f.DrawX, y = f.DrawY;
    const int32_t sx = f.SrcX, sy = f.SrcY, cw = f.CornerWidth, ch = f.CornerHeight;
    const float dw = static_cast<float>(f.DrawWidth), dh = static_cast<float>(f.DrawHeight);
    // Left edges of the three columns and top edges of the three rows on the screen.
    const float midX = x + static_cast<float>(cw), rightX = x + static_cast<float>(cw) * (dw + 1);
    const float midY = y + static_cast<float>(ch), bottomY = y + static_cast<float>(ch) * (dh + 1);
    auto piece = [&](int32_t srcX, int32_t srcY, float at, float top, float xs, float ys) {
        DrawGuiImage(f.Texture, srcX, srcY, cw, ch, at, top, f.Alpha, xs, ys, true, f.Red, f.Green, f.Blue);
    };
    piece(sx + cw, sy + ch, midX, midY, dw, dh);
    piece(sx + cw, sy, midX, y, dw, 1);
    piece(sx + cw, sy + 2 * ch, midX, bottomY, dw, 1);
    piece(sx, sy + ch, x, midY, 1, dh);
    piece(sx + 2 * cw, sy + ch, rightX, midY, 1, dh);
    piece(sx, sy, x, y, 1, 1);
    piece(sx + 2 * cw, sy, rightX, y, 1, 1);
    piece(sx, sy + 2 * ch, x, bottomY, 1, 1);
    piece(sx + 2 * cw, sy + 2 * ch, rightX, bottomY, 1, 1);
}

void RenderMenuStrip(GuiState& gui, int32_t i, bool clicked) {
    GuiMenuStripRecord& m = gui.MenuStrips(i);
    DrawWholeStrip(m);
    if (m.Sections < 1 || !HitStrip(gui, m) || !m.Enabled) return;
    const int32_t s = SectionUnderPointer(m);
    DrawSection(m, s, m.SrcXHover, m.SrcYHover);
    if (clicked) RaiseEvent(gui, eMenuStrip, i, s + 1);
}

void RenderMenuBar(GuiState& gui, int32_t i, bool clicked) {
    GuiMenuBarRecord& m = gui.MenuBars(i);
    DrawWholeStrip(m);
    if (m.Sections < 1) return;
    const bool live = HitStrip(gui, m) && m.Enabled;
    if (!m.Slider) {
        // The selected section is drawn twice over itself, deepening a translucent image.
        DrawSection(m, m.Value - 1, m.SrcXSelected, m.SrcYSelected);
        DrawSection(m, m.Value - 1, m.SrcXSelected, m.SrcYSelected);
        if (!live) return;
        const int32_t s = SectionUnderPointer(m);
        DrawSection(m, s, m.SrcXHover, m.SrcYHover);
        if (clicked) {
            RaiseEvent(gui, eMenuBar, i, s + 1);
            m.Value = s + 1;
        }
    } else if (live && IsMouseButtonDown()) {
        const int32_t s = SectionUnderPointer(m);
        DrawSection(m, s, m.SrcXHover, m.SrcYHover);
        RaiseEvent(gui, eMenuBar, i, s + 1);
        m.Value = s + 1;
    } else {
        DrawSection(m, m.Value - 1, m.SrcXSelected, m.SrcYSelected);
    }
}

// The value step under the pointer, from 0: one step a source pixel.
int32_t SliderUnitUnderPointer(const GuiSliderBarRecord& b) {
    const EngineState& s = State();
    return Int((b.Horizontal ? s.MouseX - b.DrawX : s.MouseY - b.DrawY) / b.Scaled);
}

bool HitSlider(const GuiState& gui, const GuiSliderBarRecord& b) {
    return MouseInRect(gui, b.DrawX, b.DrawY, b.Scaled * static_cast<float>(b.SrcWidth),
                       b.Scaled * static_cast<float>(b.SrcHeight));
}

void RenderSliderBar(GuiState& gui, int32_t i) {
    GuiSliderBarRecord& b = gui.SliderBars(i);
    DrawGuiImage(b.Texture, b.SrcX, b.SrcY, b.SrcWidth, b.SrcHeight, b.DrawX, b.DrawY, b.Alpha, b.Scaled, b.Scaled,
                 true, kWhite, kWhite, kWhite);
    if (HitSlider(gui, b) && b.Enabled && IsMouseButtonDown()) {
        const int32_t u = SliderUnitUnderPointer(b);
        RaiseEvent(gui, eSliderBar, i, u + 1);
        b.Value = u + 1;
    }
    const float along = b.Step * b.Scaled * static_cast<float>(b.Value - 1);
    const float mx = b.Horizontal ? along + b.DrawX : b.DrawX + b.Scaled * static_cast<float>(b.SrcWidth) / 2;
    const float my = b.Horizontal ? b.Scaled * static_cast<float>(b.SrcHeight) / 2 + b.DrawY : along + b.DrawY;
    DrawGuiImage(b.Texture, b.SrcXMarker, b.SrcYMarker, b.SrcXMarkerWidth, b.SrcYMarkerHeight, mx, my, b.Alpha,
                 b.Scaled, b.Scaled, false, kWhite, kWhite, kWhite);
}

template <typename Widget>
bool HitImage(const GuiState& gui, const Widget& w) {
    return MouseInRect(gui, w.DrawX, w.DrawY, static_cast<float>(w.SrcWidth) * w.Scaled,
                       static_cast<float>(w.SrcHeight) * w.Scaled);
}

template <typename Widget>
void DrawCurrentImage(const Widget& w, float red = kWhite, float green = kWhite, float blue = kWhite) {
    DrawGuiImage(w.Texture, w.CurrentSrcX, w.CurrentSrcY, w.SrcWidth, w.SrcHeight, w.DrawX, w.DrawY, w.Alpha,
                 w.Scaled, w.Scaled, true, red, green, blue);
}

void RenderOptionButton(GuiState& gui, int32_t i, bool clicked) {
    if (clicked && HitImage(gui, gui.OptionButtons(i)) && gui.OptionButtons(i).Enabled) {
        SetOptionButtonValue(gui, i, true);
        RaiseEvent(gui, eOptionButton, i, 1);
    }
    DrawCurrentImage(gui.OptionButtons(i));
}

void RenderCheckBox(GuiState& gui, int32_t i, bool clicked) {
    GuiCheckBoxRecord& c = gui.CheckBoxes(i);
    if (clicked && HitImage(gui, c) && c.Enabled) {
        SetCheckBoxValue(gui, i, c.Value ^ 1);
        RaiseEvent(gui, eCheckBox, i, c.Value);
    }
    DrawCurrentImage(c);
}

void RenderButton(GuiState& gui, int32_t i) {
    GuiButtonRecord& b = gui.Buttons(i);
    const PushButton push{b.SrcXDown, b.SrcYDown, b.SrcXUp,      b.SrcYUp,     b.SrcXHover,
                          b.SrcYHover, b.CurrentSrcX, b.CurrentSrcY, b.State};
    if (StepPushButton(push, HitImage(gui, b), b.Enabled)) RaiseEventKeepValue(gui, ebutton, i);
    DrawCurrentImage(b, b.Red, b.Green, b.Blue);
}

// Where an aligned (not wrapped) text starts: centred on, from, or ending at its position. An
// alignment outside the four known ones is taken as left.
PLMXY AlignedPosition(const GuiTextRecord& t) {
    switch (t.Alignment) {
        case tCenter: return {t.DrawX - t.TextWidth / 2, t.DrawY};
        case tRight: return {t.DrawX - t.TextWidth, t.DrawY};
        default: return {t.DrawX, t.DrawY};
    }
}

void RenderText(GuiState& gui, int32_t i, bool clicked) {
    const GuiTextRecord& t = gui.Texts(i);
    if (t.Alignment == tLeftWordWrap) {
        const std::string wrapped = WrapGuiText(t.FontIndex, t.Text, t.Spacing, t.Scaled, t.WrapWidth);
        const float lineStep = GuiFontHeight(t.FontIndex, t.Scaled) + static_cast<float>(t.WrapLineSpacing);
        DrawWrappedLines(t.FontIndex, wrapped, t.DrawX, t.DrawY, lineStep, t.Spacing, t.Alpha, t.Scaled, t.Red,
                         t.Green, t.Blue);
        return;
    }
    const PLMXY at = AlignedPosition(t);
    const bool over = MouseInRect(gui, at.X, at.Y, t.TextWidth, t.TextHeight) && t.Enabled;
    if (over && clicked) RaiseEvent(gui, eText, i, 0);
    GuiRenderText(t.FontIndex, t.Text, at.X, at.Y, t.Spacing, t.Alpha, t.Scaled, over ? t.RedOver : t.Red,
                  over ? t.GreenOver : t.Green, over ? t.BlueOver : t.Blue);
}

void RenderMessageBox(GuiState& gui) {
    PLMGuiMsgBoxConfig& b = gui.Box;
    DrawGuiImage(b.BackgroundTexture, b.BackgroundSrcX, b.BackgroundSrcY, b.BackgroundWidth, b.BackgroundHeight,
                 b.BackgroundXpos, b.BackgroundYpos, b.BackgroundAlpha, 1, 1, true, kWhite, kWhite, kWhite);
    const std::string wrapped = WrapGuiText(b.TextFontIndex, b.TextString, b.TextSpacing, 1, b.TextWrapWidth);
    DrawWrappedLines(b.TextFontIndex, wrapped, b.TextXpos, b.TextYpos,
                     GuiFontHeight(b.TextFontIndex, 1) + static_cast<float>(b.TextWrapLineSpacing), b.TextSpacing,
                     255, 1, b.TextRed, b.TextGreen, b.TextBlue);
    const PushButton one{b.Button1SrcXDown, b.Button1SrcYDown, b.Button1SrcXUp, b.Button1SrcYUp, b.Button1SrcXHover,
                         b.Button1SrcYHover, b.Button1SrcX, b.Button1SrcY, b.Button1State};
    const PushButton two{b.Button2SrcXDown, b.Button2SrcYDown, b.Button2SrcXUp, b.Button2SrcYUp, b.Button2SrcXHover,
                         b.Button2SrcYHover, b.Button2SrcX, b.Button2SrcY, b.Button2State};
    auto step = [&](const PushButton& push, int32_t number, int32_t texture, float x, float y, int32_t w, int32_t h) {
        const bool hit = MouseInRect(gui, x, y, static_cast<float>(w), static_cast<float>(h), true);
        if (StepPushButton(push, hit, true)) {
            RaiseEvent(gui, eMsgBox, b.id, number);
            gui.MessageBoxOpen = false;
            push.ShowUp();
        }
        DrawGuiImage(texture, push.CurrentSrcX, push.CurrentSrcY, w, h, x, y, 255, 1, 1, true, kWhite, kWhite,
                     kWhite);
    };
    step(one, 1, b.Button1Texture, b.Button1Xpos, b.Button1Ypos, b.Button1Width, b.Button1Height);
    step(two, 2, b.Button2Texture, b.Button2Xpos, b.Button2Ypos, b.Button2Width, b.Button2Height);
}

// Visits widgets 1..count of a list that pass `keep`, placing each first.
template <typename Widget, typename Keep, typename Visit>
void EachWidget(GuiState& gui, Table<Widget>& list, Keep keep, Visit visit) {
    for (int32_t i = 1; i <= list.size(); ++i) {
        Widget& w = list(i);
        if (!keep(w)) continue;
        PlaceWidget(gui, w);
        visit(i, w);
    }
}

constexpr auto kVisible = [](const auto& w) { return w.Visible; };
constexpr auto kEnabled = [](const auto& w) { return w.Enabled; };

}  // namespace

bool MouseInRect(const GuiState& gui, float x, float y, float w, float h, bool modal) {
    if (gui.MouseCheckingOff || (gui.MessageBoxOpen && !modal)) return false;
    const EngineState& s = State();
    return x <= s.MouseX && s.MouseX <= x + w - 1 && y <= s.MouseY && s.MouseY <= y + h - 1;
}

bool IsMouseButtonDown() { return (State().MouseState.Buttons[0] & 0x80) != 0; }

void RaiseEventKeepValue(GuiState& gui, PLMGuiEventType type, int32_t index) {
    gui.Event.eEventRaised = true;
    gui.Event.eEventType = type;
    gui.Event.eEventIndex = index;
    gui.LastEvent = gui.Event;
}

void RaiseEvent(GuiState& gui, PLMGuiEventType type, int32_t index, int32_t value) {
    gui.Event.eEventValue = value;
    RaiseEventKeepValue(gui, type, index);
}

void SetCheckBoxValue(GuiState& gui, int32_t index, int32_t value) {
    GuiCheckBoxRecord* c = gui.CheckBoxes.find(index);
    if (!c) return;
    c->Value = value > 0 ? 1 : 0;
    c->CurrentSrcX = c->Value == 1 ? c->SrcXON : c->SrcXOFF;
    c->CurrentSrcY = c->Value == 1 ? c->SrcYON : c->SrcYOFF;
}

void SetOptionButtonValue(GuiState& gui, int32_t index, bool value) {
    GuiOptionButtonRecord* o = gui.OptionButtons.find(index);
    if (!o) return;
    auto show = [](GuiOptionButtonRecord& b, bool on) {
        b.Value = on;
        b.CurrentSrcX = on ? b.SrcXON : b.SrcXOFF;
        b.CurrentSrcY = on ? b.SrcYON : b.SrcYOFF;
    };
    show(*o, value);
    if (!value) return;
    for (int32_t i = 1; i <= gui.OptionButtons.size(); ++i)
        if (i != index && gui.OptionButtons(i).Group == o->Group) show(gui.OptionButtons(i), false);
}

void MeasureText(GuiTextRecord& t) {
    t.TextHeight = GuiFontHeight(t.FontIndex, t.Scaled);
    t.TextWidth = GuiStringWidth(t.FontIndex, t.Text, t.Spacing, t.Scaled);
}

void RenderGui(GuiState& gui, bool clicked) {
    gui.Event.eEventRaised = false;
    if (!gui.GuiEnabled) return;
    EachWidget(gui, gui.Frames, kVisible, [](int32_t, GuiFrameRecord& f) { RenderFrame(f); });
    EachWidget(gui, gui.Tiles, kVisible, [](int32_t, GuiTileRecord& t) {
        DrawGuiImage(t.Texture, t.SrcX, t.SrcY, t.SrcWidth, t.SrcHeight, t.DrawX, t.DrawY, t.Alpha, t.Scaled,
                     t.Scaled, true, kWhite, kWhite, kWhite);
    });
    EachWidget(gui, gui.MenuStrips, kVisible, [&](int32_t i, auto&) { RenderMenuStrip(gui, i, clicked); });
    EachWidget(gui, gui.MenuBars, kVisible, [&](int32_t i, auto&) { RenderMenuBar(gui, i, clicked); });
    EachWidget(gui, gui.SliderBars, kVisible, [&](int32_t i, auto&) { RenderSliderBar(gui, i); });
    EachWidget(gui, gui.OptionButtons, kVisible, [&](int32_t i, auto&) { RenderOptionButton(gui, i, clicked); });
    EachWidget(gui, gui.CheckBoxes, kVisible, [&](int32_t i, auto&) { RenderCheckBox(gui, i, clicked); });
    EachWidget(gui, gui.Buttons, kVisible, [&](int32_t i, auto&) { RenderButton(gui, i); });
    EachWidget(gui, gui.Texts, kVisible, [&](int32_t i, auto&) { RenderText(gui, i, clicked); });
    if (gui.MessageBoxOpen) RenderMessageBox(gui);
}

PLMGuiMouseOver GuiMouseOver(GuiState& gui) {
    PLMGuiMouseOver found;
    if (!gui.GuiEnabled) return found;
    // Each hit replaces the one before: the last hit in the visiting order is reported.
    auto report = [&](PLMGuiEventType type, int32_t index, int32_t value, float x, float y, float w, float h) {
        found = PLMGuiMouseOver{true, type, index, value, x, y, w, h};
    };
    auto image = [&](PLMGuiEventType type, int32_t i, const auto& w, float width, float height, int32_t value) {
        if (MouseInRect(gui, w.DrawX, w.DrawY, width, height)) report(type, i, value, w.DrawX, w.DrawY, width, height);
    };
    // A strip reports the section under the pointer, a bar its selected value.
    auto strip = [&](PLMGuiEventType type, int32_t i, const auto& m) {
        if (m.Sections < 1 || !HitStrip(gui, m)) return;
        const int32_t s = SectionUnderPointer(m);
        int32_t value = s + 1;
        if constexpr (std::is_same_v<std::decay_t<decltype(m)>, GuiMenuBarRecord>) value = m.Value;
        const PLMGuiMouseOver at = SectionArea(m, s);
        report(type, i, value, at.eMouseOverXPos, at.eMouseOverYpos, at.eMouseOverWidth, at.eMouseOverHeight);
    };
    auto scaled = [](int32_t size, float scale) { return static_cast<float>(size) * scale; };

    EachWidget(gui, gui.Frames, kEnabled, [&](int32_t i, GuiFrameRecord& f) {
        image(eFrame, i, f, (static_cast<float>(f.DrawWidth) + 2) * static_cast<float>(f.CornerWidth),
              (static_cast<float>(f.DrawHeight) + 2) * static_cast<float>(f.CornerHeight), 0);
    });
    EachWidget(gui, gui.Tiles, kEnabled, [&](int32_t i, GuiTileRecord& t) {
        image(eTile, i, t, scaled(t.SrcWidth, t.Scaled), scaled(t.SrcHeight, t.Scaled), 0);
    });
    EachWidget(gui, gui.MenuStrips, kEnabled, [&](int32_t i, auto& m) { strip(eMenuStrip, i, m); });
    EachWidget(gui, gui.MenuBars, kEnabled, [&](int32_t i, auto& m) { strip(eMenuBar, i, m); });
    EachWidget(gui, gui.OptionButtons, kEnabled, [&](int32_t i, GuiOptionButtonRecord& o) {
        image(eOptionButton, i, o, scaled(o.SrcWidth, o.Scaled), scaled(o.SrcHeight, o.Scaled), o.Value ? 1 : 0);
    });
    EachWidget(gui, gui.CheckBoxes, kEnabled, [&](int32_t i, GuiCheckBoxRecord& c) {
        image(eCheckBox, i, c, scaled(c.SrcWidth, c.Scaled), scaled(c.SrcHeight, c.Scaled), c.Value);
    });
    EachWidget(gui, gui.Buttons, kEnabled, [&](int32_t i, GuiButtonRecord& b) {
        image(ebutton, i, b, scaled(b.SrcWidth, b.Scaled), scaled(b.SrcHeight, b.Scaled), 0);
    });
    EachWidget(gui, gui.SliderBars, kEnabled, [&](int32_t i, GuiSliderBarRecord& b) {
        // A bar of no length has no steps to report.
        if (b.Length < 1 || !HitSlider(gui, b)) return;
        const float u = static_cast<float>(SliderUnitUnderPointer(b)) * b.Scaled;
        const float length = static_cast<float>(b.Length);
        if (b.Horizontal)
            report(eSliderBar, i, b.Value, u + b.DrawX, b.DrawY, static_cast<float>(b.SrcWidth) / length,
                   static_cast<float>(b.SrcHeight));
        else
            report(eSliderBar, i, b.Value, b.DrawX, u + b.DrawY, static_cast<float>(b.SrcWidth),
                   static_cast<float>(b.SrcHeight) / length);
    });
    EachWidget(gui, gui.Texts, kEnabled, [&](int32_t i, GuiTextRecord& t) {
        if (t.Alignment == tLeftWordWrap) return;
        const PLMXY at = AlignedPosition(t);
        if (MouseInRect(gui, at.X, at.Y, t.TextWidth, t.TextHeight))
            report(eText, i, 0, at.X, at.Y, t.TextWidth, t.TextHeight);
    });
    return found;
}

}  // namespace plm
