#include "core/TextureProcs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/Paths.h"
#include "core/Texture.h"
#include "platform/ImageCodec.h"

namespace plm {

namespace {

// Pixels equal to the key (all four channels) become transparent black.
void ApplyColorKey(platform::Image& img, uint32_t key) {
    if (key == 0) return;
    for (uint32_t& p : img.pixels)
        if (p == key) p = 0;
}

// Bilinear resampling with pixel centres mapped onto pixel centres, channels filtered separately.
platform::Image Resample(const platform::Image& src, int32_t w, int32_t h) {
    if (src.width == w && src.height == h) return src;
    platform::Image out;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    const double sx = static_cast<double>(src.width) / w, sy = static_cast<double>(src.height) / h;
    auto at = [&](int32_t x, int32_t y) {
        x = std::clamp(x, 0, src.width - 1);
        y = std::clamp(y, 0, src.height - 1);
        return src.pixels[static_cast<size_t>(y) * static_cast<size_t>(src.width) + static_cast<size_t>(x)];
    };
    for (int32_t y = 0; y < h; ++y) {
        double fy = (y + 0.5) * sy - 0.5;
        int32_t y0 = Int(fy);
        double ty = fy - y0;
        for (int32_t x = 0; x < w; ++x) {
            double fx = (x + 0.5) * sx - 0.5;
            int32_t x0 = Int(fx);
            double tx = fx - x0;
            uint32_t p00 = at(x0, y0), p10 = at(x0 + 1, y0), p01 = at(x0, y0 + 1), p11 = at(x0 + 1, y0 + 1);
            uint32_t px = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                auto c = [shift](uint32_t p) { return static_cast<double>((p >> shift) & 0xFF); };
                double top = c(p00) + (c(p10) - c(p00)) * tx;
                double bottom = c(p01) + (c(p11) - c(p01)) * tx;
                px |= static_cast<uint32_t>(std::clamp(RoundHalfEven(top + (bottom - top) * ty), 0, 255)) << shift;
            }
            out.pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = px;
        }
    }
    return out;
}

ErrorInfo DeviceError(int32_t number, const std::string& description) { return ErrorInfo{"plm232", number, description}; }

// The slot about to receive a new texture, its old texture released; nullptr (and err) when the
// index is outside the table or there is no device.
TextureSlot* SlotForNewTexture(int32_t index, ErrorInfo& err) {
    EngineState& s = State();
    TextureSlot* slot = s.Textures.find(index);
    if (!slot || !s.D3DDevice) {
        err = DeviceError(kErrInvalidCall, "Invalid call");
        return nullptr;
    }
    ReleaseTextureObject(index);
    return slot;
}

// Stores a new texture in its slot with the slot's entries; false (and err) when there is none.
bool FillSlot(TextureSlot& slot, platform::SurfaceId id, const std::string& fileName, uint32_t colorKey,
              bool renderTarget, ErrorInfo& err) {
    if (id == platform::kNoSurface) {
        err = DeviceError(kErrOutOfVideoMemory, "Out of video memory");
        return false;
    }
    platform::SurfaceDesc desc;
    State().D3DDevice->GetSurfaceDesc(id, desc);
    slot.Object = id;
    slot.FileName = fileName;
    slot.ColorKey = colorKey;
    slot.Loaded = true;
    slot.IsRenderTarget = renderTarget;
    slot.Width = desc.width;
    slot.Height = desc.height;
    return true;
}

}  // namespace

void ReleaseTextureObject(int32_t index) {
    EngineState& s = State();
    TextureSlot* slot = s.Textures.find(index);
    if (!slot) return;
    if (slot->Object != platform::kNoSurface && s.D3DDevice) s.D3DDevice->ReleaseSurface(slot->Object);
    slot->Object = platform::kNoSurface;
}

void EmptyTextureSlot(int32_t index) {
    ReleaseTextureObject(index);
    if (TextureSlot* slot = State().Textures.find(index)) slot->Loaded = false;
}

bool LoadTextureFile(int32_t index, const std::string& path, uint32_t colorKey, int32_t size, ErrorInfo& err) {
    TextureSlot* slot = SlotForNewTexture(index, err);
    if (!slot) return false;
    platform::Image img;
    std::string why;
    if (!platform::LoadImageFile(NativePath(path), img, why) || img.width < 1 || img.height < 1) {
        err = DeviceError(kErrInvalidData, why.empty() ? "Invalid data" : why);
        return false;
    }
    ApplyColorKey(img, colorKey);
    platform::GraphicsDevice& device = *State().D3DDevice;
    const platform::DeviceCaps caps = device.GetCaps();
    int32_t w = size > 0 ? size : img.width, h = size > 0 ? size : img.height;
    w = std::min(w, std::max(1, caps.maxTextureWidth));
    h = std::min(h, std::max(1, caps.maxTextureHeight));
    if (w != img.width || h != img.height) img = Resample(img, w, h);
    return FillSlot(*slot, device.CreateTextureFromImage(img), path, colorKey, false, err);
}

bool CreateTextureSlot(int32_t index, int32_t width, int32_t height, bool renderTarget, ErrorInfo& err) {
    TextureSlot* slot = SlotForNewTexture(index, err);
    if (!slot) return false;
    platform::GraphicsDevice& device = *State().D3DDevice;
    const platform::DeviceCaps caps = device.GetCaps();
    if (width < 1 || height < 1 || width > caps.maxTextureWidth || height > caps.maxTextureHeight) {
        err = DeviceError(kErrInvalidCall, "Invalid call");
        return false;
    }
    return FillSlot(*slot, device.CreateTexture(width, height, renderTarget), "", kDefaultColorKey, renderTarget, err);
}

bool SaveTexture(int32_t index, const std::string& path, int32_t format) {
    EngineState& s = State();
    const TextureSlot* slot = s.Textures.find(index);
    platform::Image img;
    std::string why = "Invalid call";
    bool ok = slot && slot->Object != platform::kNoSurface && s.D3DDevice &&
              s.D3DDevice->ReadPixels(slot->Object, img) && (format == 0 || format == 4);
    if (ok) {
        // The slot's recorded size bounds the rectangle; the surface itself may be no larger.
        int32_t w = std::min(slot->Width, img.width), h = std::min(slot->Height, img.height);
        if (w != img.width || h != img.height) {
            platform::Image part;
            part.width = std::max(w, 0);
            part.height = std::max(h, 0);
            for (int32_t y = 0; y < part.height; ++y)
                part.pixels.insert(part.pixels.end(), img.pixels.begin() + static_cast<ptrdiff_t>(y) * img.width,
                                   img.pixels.begin() + static_cast<ptrdiff_t>(y) * img.width + part.width);
            img = std::move(part);
        }
        ok = img.width > 0 && img.height > 0 &&
             platform::SaveImageFile(NativePath(path), img, static_cast<platform::ImageFormat>(format), why);
    }
    if (!ok) LogError("SaveTexture", {"Filename=" + path}, DeviceError(kErrInvalidCall, why));
    return ok;
}

platform::SurfaceId TextureDrawSource(int32_t index) {
    const EngineState& st = State();
    const TextureSlot* slot = st.Textures.find(index);
    return (slot && slot->Loaded && slot->Object != platform::kNoSurface && st.D3DDevice) ? slot->Object
                                                                                          : platform::kNoSurface;
}

}  // namespace plm
