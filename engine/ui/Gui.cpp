#include "ui/Gui.h"

#include "core/Convert.h"
#include "ui/GuiProcs.h"

namespace plm {

namespace {

// Appends a blank widget to a list and returns it; its number is the list's new size.
template <typename Widget>
Widget& Append(Table<Widget>& list) {
    list.grow(list.size() + 1);
    return list(list.size());
}

// The keep markers of the Set* members: a value of -1 or less (or exactly -1) leaves the field.
template <typename T>
void UnlessNegative(T& field, T value) {
    if (value > -1) field = value;
}
void UnlessMinusOne(float& field, float value) {
    if (value != -1.0f) field = value;
}

// Calls f with widget `index` of the list `type` names; false (f not called) when there is none.
template <typename Gui, typename F>
bool VisitWidget(Gui& s, PLMGuiEventType type, int32_t index, F&& f) {
    auto visit = [&](auto* w) {
        if (w) f(*w);
        return w != nullptr;
    };
    switch (type) {
        case eFrame: return visit(s.Frames.find(index));
        case ebutton: return visit(s.Buttons.find(index));
        case eCheckBox: return visit(s.CheckBoxes.find(index));
        case eOptionButton: return visit(s.OptionButtons.find(index));
        case eMenuStrip: return visit(s.MenuStrips.find(index));
        case eMenuBar: return visit(s.MenuBars.find(index));
        case eTile: return visit(s.Tiles.find(index));
        case eSliderBar: return visit(s.SliderBars.find(index));
        case eText: return visit(s.Texts.find(index));
        default: return false;
    }
}

// A field of widget `index` of the list `type` names, or the type's zero when there is none.
template <typename Value, typename Field>
Value ReadField(const GuiState& s, PLMGuiEventType type, int32_t index, Field field) {
    Value v{};
    VisitWidget(s, type, index, [&](const auto& w) { v = field(w); });
    return v;
}

// The length of a strip's sections, or 0 for a strip without sections (never divided by).
float SectionSizeOf(bool horizontal, int32_t srcWidth, int32_t srcHeight, int32_t sections) {
    if (sections < 1) return 0;
    return static_cast<float>(horizontal ? srcWidth : srcHeight) / static_cast<float>(sections);
}

// The fields check boxes and option buttons share.
template <typename Toggle>
void FillToggle(Toggle& t, int32_t texture, int32_t srcWidth, int32_t srcHeight, int32_t srcXOn, int32_t srcYOn,
                int32_t srcXOff, int32_t srcYOff, float x, float y, float scaled, int32_t soundChannel, float alpha,
                int32_t frameID, bool enabled, bool visible) {
    t.Alpha = alpha;
    t.Texture = texture;
    t.SrcWidth = srcWidth;
    t.SrcHeight = srcHeight;
    t.SrcXON = srcXOn;
    t.SrcYON = srcYOn;
    t.SrcXOFF = srcXOff;
    t.SrcYOFF = srcYOff;
    t.XPos = x;
    t.Ypos = y;
    t.Enabled = enabled;
    t.Visible = visible;
    t.Scaled = scaled;
    t.SoundChannel = soundChannel;
    t.FrameID = frameID;
}

// The fields menu strips and menu bars share.
template <typename Strip>
void FillStrip(Strip& m, int32_t texture, int32_t srcWidth, int32_t srcHeight, int32_t srcX, int32_t srcY,
               int32_t srcXHover, int32_t srcYHover, int32_t sections, float x, float y, bool horizontal, float scaled,
               int32_t soundChannel, float alpha, int32_t frameID, bool enabled, bool visible) {
    m.Alpha = alpha;
    m.Horizontal = horizontal;
    m.Texture = texture;
    m.SrcX = srcX;
    m.SrcY = srcY;
    m.SrcXHover = srcXHover;
    m.SrcYHover = srcYHover;
    m.SrcWidth = srcWidth;
    m.SrcHeight = srcHeight;
    m.Sections = sections;
    m.SectionSize = SectionSizeOf(horizontal, srcWidth, srcHeight, sections);
    m.XPos = x;
    m.Ypos = y;
    m.Enabled = enabled;
    m.Visible = visible;
    m.Scaled = scaled;
    m.SoundChannel = soundChannel;
    m.FrameID = frameID;
}

int32_t ClampValue(int32_t value, int32_t largest) {
    if (value > largest) value = largest;
    return value < 1 ? 1 : value;
}

}  // namespace

void Gui::AddFrame(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float XPos, float Ypos,
                   int32_t DrawWidth, int32_t DrawHeight, int32_t FrameID, float AlphaValue, float Red, float Green,
                   float Blue, bool Visible) {
    GuiFrameRecord& f = Append(s_.Frames);
    f.Texture = Texture;
    f.SrcX = SrcX;
    f.SrcY = SrcY;
    f.Width = Width;
    f.Height = Height;
    f.CornerWidth = Int(Width / 3.0);
    f.CornerHeight = Int(Height / 3.0);
    f.XPos = XPos;
    f.Ypos = Ypos;
    f.DrawWidth = DrawWidth;
    f.DrawHeight = DrawHeight;
    f.FrameID = FrameID;
    f.Alpha = AlphaValue;
    f.Red = Red;
    f.Green = Green;
    f.Blue = Blue;
    f.Enabled = true;
    f.Visible = Visible;
}

void Gui::AddButton(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXUp, int32_t SrcYUp,
                    int32_t SrcXDown, int32_t SrcYDown, int32_t SrcXHover, int32_t SrcYHover, float XPos, float Ypos,
                    float Scaled, int32_t SoundChannel, int32_t FrameID, float AlphaValue, float Red, float Green,
                    float Blue, bool Enabled, bool Visible) {
    GuiButtonRecord& b = Append(s_.Buttons);
    b.Alpha = AlphaValue;
    b.Texture = Texture;
    b.SrcWidth = SrcWidth;
    b.SrcHeight = SrcHeight;
    b.SrcXDown = SrcXDown;
    b.SrcYDown = SrcYDown;
    b.SrcXUp = SrcXUp;
    b.SrcYUp = SrcYUp;
    b.SrcXHover = SrcXHover;
    b.SrcYHover = SrcYHover;
    b.XPos = XPos;
    b.Ypos = Ypos;
    b.CurrentSrcX = SrcXUp;
    b.CurrentSrcY = SrcYUp;
    b.Enabled = Enabled;
    b.Visible = Visible;
    b.Scaled = Scaled;
    b.SoundChannel = SoundChannel;
    b.State = 0;
    b.Red = Red;
    b.Green = Green;
    b.Blue = Blue;
    b.FrameID = FrameID;
}

void Gui::AddCheckBox(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXON, int32_t SrcYON,
                      int32_t SrcXOFF, int32_t SrcYOFF, float XPos, float Ypos, int32_t Value, float Scaled,
                      int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Enabled, bool Visible) {
    GuiCheckBoxRecord& c = Append(s_.CheckBoxes);
    FillToggle(c, Texture, SrcWidth, SrcHeight, SrcXON, SrcYON, SrcXOFF, SrcYOFF, XPos, Ypos, Scaled, SoundChannel,
               AlphaValue, FrameID, Enabled, Visible);
    // The value is kept as given (2 stays 2 until toggled or set); only exactly 1 shows the ON image.
    c.Value = Value;
    c.CurrentSrcX = Value == 1 ? SrcXON : SrcXOFF;
    c.CurrentSrcY = Value == 1 ? SrcYON : SrcYOFF;
}

void Gui::AddOptionButton(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcXON, int32_t SrcYON,
                          int32_t SrcXOFF, int32_t SrcYOFF, float XPos, float Ypos, bool Value, float Scaled,
                          int32_t Group, int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Enabled,
                          bool Visible) {
    GuiOptionButtonRecord& o = Append(s_.OptionButtons);
    FillToggle(o, Texture, SrcWidth, SrcHeight, SrcXON, SrcYON, SrcXOFF, SrcYOFF, XPos, Ypos, Scaled, SoundChannel,
               AlphaValue, FrameID, Enabled, Visible);
    o.Group = Group;
    SetOptionButtonValue(s_, s_.OptionButtons.size(), Value);
}

void Gui::AddMenuStrip(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                       int32_t SrcXHover, int32_t SrcYHover, int32_t Sections, float XPos, float Ypos,
                       bool Horizontal, float Scaled, int32_t SoundChannel, float AlphaValue, int32_t FrameID,
                       bool Enabled, bool Visible) {
    FillStrip(Append(s_.MenuStrips), Texture, SrcWidth, SrcHeight, SrcX, SrcY, SrcXHover, SrcYHover, Sections, XPos,
              Ypos, Horizontal, Scaled, SoundChannel, AlphaValue, FrameID, Enabled, Visible);
}

void Gui::AddMenuBar(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                     int32_t SrcXHover, int32_t SrcYHover, int32_t SrcXSelected, int32_t SrcYSelected,
                     int32_t Sections, float XPos, float Ypos, bool Horizontal, int32_t DefaultValue, float Scaled,
                     int32_t SoundChannel, float AlphaValue, int32_t FrameID, bool Slider, bool Enabled,
                     bool Visible) {
    GuiMenuBarRecord& m = Append(s_.MenuBars);
    FillStrip(m, Texture, SrcWidth, SrcHeight, SrcX, SrcY, SrcXHover, SrcYHover, Sections, XPos, Ypos, Horizontal,
              Scaled, SoundChannel, AlphaValue, FrameID, Enabled, Visible);
    m.SrcXSelected = SrcXSelected;
    m.SrcYSelected = SrcYSelected;
    m.Value = DefaultValue;
    m.Slider = Slider;
}

void Gui::AddSliderBar(int32_t Texture, int32_t SrcWidth, int32_t SrcHeight, int32_t SrcX, int32_t SrcY,
                       int32_t SrcXMarker, int32_t SrcYMarker, int32_t SrcXMarkerWidth, int32_t SrcYMarkerHeight,
                       float XPos, float Ypos, bool Horizontal, int32_t DefaultValue, float Scaled, float AlphaValue,
                       int32_t FrameID, bool Enabled, bool Visible) {
    GuiSliderBarRecord& b = Append(s_.SliderBars);
    b.Alpha = AlphaValue;
    b.Horizontal = Horizontal;
    b.Texture = Texture;
    b.SrcX = SrcX;
    b.SrcY = SrcY;
    b.SrcWidth = SrcWidth;
    b.SrcHeight = SrcHeight;
    b.SrcXMarker = SrcXMarker;
    b.SrcYMarker = SrcYMarker;
    b.SrcXMarkerWidth = SrcXMarkerWidth;
    b.SrcYMarkerHeight = SrcYMarkerHeight;
    b.Length = Horizontal ? SrcWidth : SrcHeight;
    b.Step = 1.0f;
    b.XPos = XPos;
    b.Ypos = Ypos;
    b.Enabled = Enabled;
    b.Visible = Visible;
    b.Scaled = Scaled;
    b.Value = DefaultValue;
    b.FrameID = FrameID;
}

void Gui::AddTile(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight, float XPos,
                  float Ypos, float Scaled, float AlphaValue, int32_t FrameID, bool Visible) {
    GuiTileRecord& t = Append(s_.Tiles);
    t.Texture = Texture;
    t.SrcWidth = SrcWidth;
    t.SrcHeight = SrcHeight;
    t.SrcX = SrcX;
    t.SrcY = SrcY;
    t.XPos = XPos;
    t.Ypos = Ypos;
    t.Enabled = true;
    t.Visible = Visible;
    t.Scaled = Scaled;
    t.Alpha = AlphaValue;
    t.FrameID = FrameID;
}

void Gui::AddText(int32_t FontIndex, const std::string& Text, float XPos, float Ypos, float Scaled, float Red,
                  float Green, float Blue, float RedOver, float GreenOver, float BlueOver, float AlphaValue,
                  float Spacing, PLMGuiTextAlign Alignment, float WrapWidth, int32_t WrapLineSpacing,
                  int32_t FrameID, bool Enabled, bool Visible) {
    GuiTextRecord& t = Append(s_.Texts);
    t.Alpha = AlphaValue;
    t.FontIndex = FontIndex;
    t.XPos = XPos;
    t.Ypos = Ypos;
    t.Enabled = Enabled;
    t.Visible = Visible;
    t.Scaled = Scaled;
    t.Red = Red;
    t.Green = Green;
    t.Blue = Blue;
    t.RedOver = RedOver;
    t.GreenOver = GreenOver;
    t.BlueOver = BlueOver;
    t.Text = Text;
    t.Spacing = Spacing;
    t.WrapWidth = WrapWidth;
    t.Alignment = Alignment;
    t.WrapLineSpacing = WrapLineSpacing;
    t.FrameID = FrameID;
    MeasureText(t);
}

void Gui::SetFrame(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                   float XPos, float Ypos, int32_t DrawWidth, int32_t DrawHeight, int32_t FrameID, float AlphaValue,
                   float Red, float Green, float Blue, bool Enabled) {
    GuiFrameRecord* f = s_.Frames.find(Index);
    if (!f) return;
    UnlessNegative(f->Texture, Texture);
    UnlessNegative(f->SrcX, SrcX);
    UnlessNegative(f->SrcY, SrcY);
    if (Width > -1) {
        f->Width = Width;
        f->CornerWidth = Int(Width / 3.0);
    }
    if (Height > -1) {
        f->Height = Height;
        f->CornerHeight = Int(Height / 3.0);
    }
    UnlessMinusOne(f->XPos, XPos);
    UnlessMinusOne(f->Ypos, Ypos);
    UnlessNegative(f->DrawWidth, DrawWidth);
    UnlessNegative(f->DrawHeight, DrawHeight);
    UnlessNegative(f->FrameID, FrameID);
    UnlessNegative(f->Alpha, AlphaValue);
    UnlessNegative(f->Red, Red);
    UnlessNegative(f->Green, Green);
    UnlessNegative(f->Blue, Blue);
    f->Enabled = Enabled;
}

void Gui::SetTile(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight,
                  float XPos, float Ypos, float Scaled, float AlphaValue, int32_t FrameID, bool Enabled) {
    GuiTileRecord* t = s_.Tiles.find(Index);
    if (!t) return;
    UnlessNegative(t->Texture, Texture);
    UnlessNegative(t->SrcX, SrcX);
    UnlessNegative(t->SrcY, SrcY);
    UnlessNegative(t->SrcWidth, SrcWidth);
    UnlessNegative(t->SrcHeight, SrcHeight);
    UnlessMinusOne(t->XPos, XPos);
    UnlessMinusOne(t->Ypos, Ypos);
    UnlessMinusOne(t->Scaled, Scaled);
    UnlessNegative(t->Alpha, AlphaValue);
    UnlessNegative(t->FrameID, FrameID);
    t->Enabled = Enabled;
}

void Gui::SetText(int32_t Index, const std::string& Text, float XPos, float Ypos, float Scaled, float Red,
                  float Green, float Blue, float RedOver, float GreenOver, float BlueOver, float Spacing,
                  int32_t Alignment, float WrapWidth, int32_t WrapLineSpacing, int32_t FrameID, bool Enabled) {
    GuiTextRecord* t = s_.Texts.find(Index);
    if (!t) return;
    if (!Text.empty()) t->Text = Text;
    UnlessMinusOne(t->XPos, XPos);
    UnlessMinusOne(t->Ypos, Ypos);
    UnlessMinusOne(t->Scaled, Scaled);
    UnlessNegative(t->Red, Red);
    UnlessNegative(t->Green, Green);
    UnlessNegative(t->Blue, Blue);
    UnlessNegative(t->RedOver, RedOver);
    UnlessNegative(t->GreenOver, GreenOver);
    UnlessNegative(t->BlueOver, BlueOver);
    UnlessNegative(t->Spacing, Spacing);
    if (Alignment > -1) t->Alignment = static_cast<PLMGuiTextAlign>(Alignment);
    UnlessNegative(t->WrapWidth, WrapWidth);
    UnlessNegative(t->WrapLineSpacing, WrapLineSpacing);
    UnlessNegative(t->FrameID, FrameID);
    t->Enabled = Enabled;
    MeasureText(*t);
}

float Gui::X(PLMGuiEventType ObjectType, int32_t Index) const {
    return ReadField<float>(s_, ObjectType, Index, [](const auto& w) { return w.XPos; });
}
void Gui::X(PLMGuiEventType ObjectType, int32_t Index, float value) {
    VisitWidget(s_, ObjectType, Index, [&](auto& w) { w.XPos = value; });
}
float Gui::Y(PLMGuiEventType ObjectType, int32_t Index) const {
    return ReadField<float>(s_, ObjectType, Index, [](const auto& w) { return w.Ypos; });
}
void Gui::Y(PLMGuiEventType ObjectType, int32_t Index, float value) {
    VisitWidget(s_, ObjectType, Index, [&](auto& w) { w.Ypos = value; });
}
float Gui::Alpha(PLMGuiEventType ObjectType, int32_t Index) const {
    return ReadField<float>(s_, ObjectType, Index, [](const auto& w) { return w.Alpha; });
}
void Gui::Alpha(PLMGuiEventType ObjectType, int32_t Index, float value) {
    VisitWidget(s_, ObjectType, Index, [&](auto& w) { w.Alpha = value; });
}
bool Gui::Enabled(PLMGuiEventType ObjectType, int32_t Index) const {
    return ReadField<bool>(s_, ObjectType, Index, [](const auto& w) { return w.Enabled; });
}
void Gui::Enabled(PLMGuiEventType ObjectType, int32_t Index, bool value) {
    VisitWidget(s_, ObjectType, Index, [&](auto& w) { w.Enabled = value; });
}
bool Gui::Visible(PLMGuiEventType ObjectType, int32_t Index) const {
    return ReadField<bool>(s_, ObjectType, Index, [](const auto& w) { return w.Visible; });
}
void Gui::Visible(PLMGuiEventType ObjectType, int32_t Index, bool value) {
    VisitWidget(s_, ObjectType, Index, [&](auto& w) { w.Visible = value; });
}

int32_t Gui::CheckBoxValue(int32_t Index) const { return s_.CheckBoxes(Index).Value; }
void Gui::CheckBoxValue(int32_t Index, int32_t value) { SetCheckBoxValue(s_, Index, value); }

bool Gui::OptionButtonValue(int32_t Index) const { return s_.OptionButtons(Index).Value; }
void Gui::OptionButtonValue(int32_t Index, bool value) { SetOptionButtonValue(s_, Index, value); }

int32_t Gui::MenuBarValue(int32_t Index) const { return s_.MenuBars(Index).Value; }
void Gui::MenuBarValue(int32_t Index, int32_t value) {
    if (GuiMenuBarRecord* m = s_.MenuBars.find(Index)) m->Value = ClampValue(value, m->Sections);
}

int32_t Gui::SliderBarValue(int32_t Index) const { return s_.SliderBars(Index).Value; }
void Gui::SliderBarValue(int32_t Index, int32_t value) {
    if (GuiSliderBarRecord* b = s_.SliderBars.find(Index)) b->Value = ClampValue(value, b->Length);
}

std::string Gui::TextString(int32_t Index) const { return s_.Texts(Index).Text; }
void Gui::TextString(int32_t Index, const std::string& value) {
    GuiTextRecord* t = s_.Texts.find(Index);
    if (!t) return;
    t->Text = value;
    SetText(Index, value, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, true);
}

PLMGuiEvent Gui::GetEvent() const { return s_.GuiEnabled ? s_.Event : PLMGuiEvent{}; }
PLMGuiEvent Gui::GetLastEvent() const { return s_.GuiEnabled ? s_.LastEvent : PLMGuiEvent{}; }

PLMGuiCount Gui::Count() const {
    return PLMGuiCount{s_.Frames.size(),     s_.MenuStrips.size(), s_.MenuBars.size(),
                       s_.CheckBoxes.size(), s_.OptionButtons.size(), s_.SliderBars.size(),
                       s_.Buttons.size(),    s_.Tiles.size(),      s_.Texts.size()};
}

void Gui::Reset() {
    s_.Frames.clear();
    s_.Tiles.clear();
    s_.MenuStrips.clear();
    s_.MenuBars.clear();
    s_.SliderBars.clear();
    s_.OptionButtons.clear();
    s_.CheckBoxes.clear();
    s_.Buttons.clear();
    s_.Texts.clear();
    s_.MessageBoxOpen = false;
    s_.Event = PLMGuiEvent{};
    s_.LastEvent = PLMGuiEvent{};
}

void Gui::Render(bool MouseButton1Clicked) { RenderGui(s_, MouseButton1Clicked); }

PLMGuiMouseOver Gui::MouseOver() { return GuiMouseOver(s_); }

void Gui::MessageBox(const PLMGuiMsgBoxConfig& Config) {
    PLMGuiMsgBoxConfig& b = s_.Box;
    b = Config;
    // Buttons and text are given relative to the background.
    b.Button1Xpos += b.BackgroundXpos;
    b.Button2Xpos += b.BackgroundXpos;
    b.TextXpos += b.BackgroundXpos;
    b.Button1Ypos += b.BackgroundYpos;
    b.Button2Ypos += b.BackgroundYpos;
    b.TextYpos += b.BackgroundYpos;
    b.Button1SrcX = b.Button1SrcXUp;
    b.Button1SrcY = b.Button1SrcYUp;
    b.Button2SrcX = b.Button2SrcXUp;
    b.Button2SrcY = b.Button2SrcYUp;
    b.Button1State = 0;
    b.Button2State = 0;
    s_.MessageBoxOpen = true;
}

}  // namespace plm
