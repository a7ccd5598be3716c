#include "platform/software/DrawQueue.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/software/RasterThreads.h"

namespace plm::platform {

namespace {

// Bands of 16 rows: small enough that eight threads share a frame evenly and that a band's pixels
// stay in a core's cache while its draws run, large enough that a sprite touches few bands.
constexpr int32_t kBandRows = 16;
// Fewer queued draws than this run on the caller alone: waking the threads costs more.
constexpr int64_t kParallelFrom = 8;
// The first chunk goes to the threads at this many draws, so they wake while the rest is queued.
constexpr int kFirstChunk = 32;
// A bin entry: the draw's place in its chunk, with this bit set for a polygon.
constexpr uint16_t kPolygonEntry = 0x8000;

}  // namespace

DrawQueue::DrawQueue() {
    task_ = [this] { return Task(); };
    done_ = [this] { return Done(); };
}

DrawQueue::~DrawQueue() = default;

void DrawQueue::Add(const Command& c) {
    if (total_ > 0 && c.target.height != height_) Run();  // one target a queue; never otherwise
    if (total_ == 0) {
        height_ = std::max(c.target.height, 1);
        bands_ = (height_ + kBandRows - 1) / kBandRows;
        bandDone_.assign(size_t(bands_), 0);
        bandBusy_.assign(size_t(bands_), 0);
    }
    if (!filling_) {
        if (spare_.empty()) {
            filling_ = std::make_unique<Chunk>();
        } else {
            filling_ = std::move(spare_.back());
            spare_.pop_back();
        }
        filling_->count = 0;
        filling_->setUp = false;
        filling_->bins.resize(size_t(bands_));
        for (auto& bin : filling_->bins) bin.clear();
    }
    filling_->commands[size_t(filling_->count++)] = c;
    ++total_;
    if (filling_->count == kChunk || (!session_ && total_ == kFirstChunk)) Publish();
}

void DrawQueue::Publish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        chunks_.push_back(std::move(filling_));
    }
    if (!threads_ || threads_->Threads() == 1 || total_ < kParallelFrom) return;
    if (!session_) {
        threads_->Start(task_);
        session_ = true;
    } else {
        threads_->Wake();
    }
}

void DrawQueue::SetUp(Chunk& chunk) {
    for (int i = 0; i < chunk.count; ++i) {
        const Command& c = chunk.commands[size_t(i)];
        int32_t first = c.rowFirst, last = c.rowLast;
        if (c.kind == Command::Polygon) {
            raster::Polygon& p = chunk.polygons[size_t(i)];
            if (!raster::SetUpPolygon(c.target, c.state, c.v, c.count, p)) continue;
            first = p.rowFirst, last = p.rowLast;
        }
        first = std::max(first, 0), last = std::min(last, height_ - 1);
        // The entry says whether the draw is a polygon, so a band does not read the command
        // (another core wrote it) to find out.
        uint16_t entry = uint16_t(i | (c.kind == Command::Polygon ? kPolygonEntry : 0));
        for (int32_t b = first / kBandRows; first <= last && b <= last / kBandRows; ++b)
            chunk.bins[size_t(b)].push_back(entry);
    }
}

namespace {

// The rows [top, bottom) of a present: each band copies its own rows, still in its cache.
void PresentRows(const DrawQueue::Command& c, int32_t top, int32_t bottom) {
    size_t from = size_t(top) * size_t(c.target.width), to = size_t(bottom) * size_t(c.target.width);
    const uint32_t* src = c.target.pixels;
    uint32_t* dst = c.presentTo;
    if (c.gamma) {
        const auto &r = (*c.gamma)[0], &g = (*c.gamma)[1], &b = (*c.gamma)[2];
        for (size_t i = from; i < to; ++i) {
            uint32_t p = src[i];
            dst[i] = 0xFF000000u | (uint32_t(r[(p >> 16) & 0xFF]) << 16) | (uint32_t(g[(p >> 8) & 0xFF]) << 8) |
                     b[p & 0xFF];
        }
    } else if (c.target.hasAlpha) {
        for (size_t i = from; i < to; ++i) dst[i] = src[i] | 0xFF000000u;
    } else {
        std::memcpy(dst + from, src + from, (to - from) * 4);
    }
}

}  // namespace

void DrawQueue::DrawBand(const Chunk& chunk, int band) const {
    int32_t top = band * kBandRows, bottom = std::min(top + kBandRows, height_);
    const std::vector<uint16_t>& bin = chunk.bins[size_t(band)];
    for (size_t k = 0; k < bin.size(); ++k) {
        uint16_t entry = bin[k];
        if (k + 1 < bin.size()) {
            // The next polygon is fetched while this one draws: set up on another core or long
            // ago, it is seldom in this core's cache, and its rows cannot start without it.
            const auto* next = reinterpret_cast<const char*>(&chunk.polygons[bin[k + 1] & ~kPolygonEntry]);
            for (size_t line = 0; line < offsetof(raster::Polygon, pc); line += 64) __builtin_prefetch(next + line);
        }
        if (entry & kPolygonEntry) {
            raster::DrawPolygonRows(chunk.polygons[entry & ~kPolygonEntry], top, bottom);
            continue;
        }
        const Command& c = chunk.commands[entry];
        if (c.kind == Command::Fill) {
            // One row filled, then copied: memcpy is far faster than a fill loop the compiler
            // keeps scalar.
            uint32_t* first = nullptr;
            for (int32_t y = std::max(c.rowFirst, top); y < std::min(c.rowLast + 1, bottom); ++y) {
                uint32_t* row = c.target.pixels + size_t(y) * size_t(c.target.width) + size_t(c.x);
                if (first)
                    std::memcpy(row, first, size_t(c.w) * 4);
                else
                    std::fill(row, row + c.w, c.color), first = row;
            }
            continue;
        }
        if (c.kind == Command::Present) {
            PresentRows(c, std::max(top, c.rowFirst), std::min(bottom, c.rowLast + 1));
            continue;
        }
        raster::Target t = c.target;
        t.clipTop = std::max(t.clipTop, top);
        t.clipBottom = std::min(t.clipBottom, bottom);
        if (c.kind == Command::Line)
            raster::DrawLine(t, c.state, c.v[0], c.v[1]);
        else
            raster::DrawTexelBlock(t, c.state, c.x, c.y, c.w, c.h, c.tx, c.ty, c.color);
    }
}

// One piece of work: set up the next published chunk, or else draw a band that is free over the
// chunks set up since it last ran. Set-up comes first: it is what lets the bands go on.
bool DrawQueue::Task() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (setUpNext_ < int(chunks_.size())) {
        Chunk& chunk = *chunks_[size_t(setUpNext_++)];
        lock.unlock();
        SetUp(chunk);
        lock.lock();
        chunk.setUp = true;
        bool more = false;
        while (ready_ < int(chunks_.size()) && chunks_[size_t(ready_)]->setUp) ++ready_, more = true;
        lock.unlock();
        if (more && threads_) threads_->Wake();
        return true;
    }
    // The band furthest behind goes first, so the bands move on together and none is left with
    // a long run of chunks to draw alone at the end of the frame.
    int b = -1;
    for (int k = 0; k < bands_; ++k)
        if (!bandBusy_[size_t(k)] && bandDone_[size_t(k)] < ready_ && (b < 0 || bandDone_[size_t(k)] < bandDone_[size_t(b)]))
            b = k;
    if (b >= 0) {
        bandBusy_[size_t(b)] = 1;
        int from = bandDone_[size_t(b)], to = ready_;
        thread_local std::vector<const Chunk*> chunks;  // chunks_ may grow meanwhile: copied
        chunks.clear();
        for (int k = from; k < to; ++k) chunks.push_back(chunks_[size_t(k)].get());
        lock.unlock();
        for (const Chunk* chunk : chunks) DrawBand(*chunk, b);
        lock.lock();
        bandDone_[size_t(b)] = to;
        bandBusy_[size_t(b)] = 0;
        return true;
    }
    return false;
}

bool DrawQueue::Done() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ready_ < int(chunks_.size())) return false;
    for (int b = 0; b < bands_; ++b)
        if (bandBusy_[size_t(b)] || bandDone_[size_t(b)] < ready_) return false;
    return true;
}

void DrawQueue::Run() {
    if (total_ == 0) return;
    if (filling_ && filling_->count > 0) Publish();
    if (threads_ && session_)
        threads_->Finish(task_, done_);
    else
        while (Task()) {
        }
    // Every chunk back to the spares; the threads are out of the session.
    for (auto& chunk : chunks_) spare_.push_back(std::move(chunk));
    chunks_.clear();
    setUpNext_ = ready_ = 0;
    total_ = 0;
    session_ = false;
}

}  // namespace plm::platform
