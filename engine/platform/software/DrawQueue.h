#pragma once
// Internal to SoftwareDevice: the draws of a frame, queued and drawn by bands of rows.
//
// Draws are queued in chunks. Each chunk is set up once (a polygon's edges and planes) and each
// draw sorted into the bands of rows it touches; each band then draws its draws in call order,
// clipped to its rows. With threads, chunks are set up and bands drawn while later draws are
// still being queued; a band is drawn by one thread at a time, in call order, and no draw reads
// the pixels it draws into (the device makes sure), so the pixels are the same for any number
// of threads.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/software/Rasterizer.h"

namespace plm::platform {

class RasterThreads;

class DrawQueue {
public:
    // One queued draw: everything it needs, so it can run later on any thread. Texture pixels are
    // reached by pointer, which stays valid because every release or write of a surface flushes
    // the queue first.
    struct Command {
        enum Kind : uint8_t { Polygon, Line, Block, Fill, Present } kind = Polygon;  // Fill: a clear
        int8_t count = 0;
        raster::Target target;
        raster::State state;
        raster::Vertex v[4];
        int32_t x = 0, y = 0, w = 0, h = 0, tx = 0, ty = 0;  // Block; Fill: x, w (its rows are rowFirst..rowLast)
        uint32_t color = 0;
        int32_t rowFirst = 0, rowLast = 0;  // the rows a line or block may touch
        // Present: the target's rows copied here, opaque, through the gamma ramps (null: none).
        uint32_t* presentTo = nullptr;
        const std::array<std::array<uint8_t, 256>, 3>* gamma = nullptr;
    };

    DrawQueue();
    ~DrawQueue();
    DrawQueue(const DrawQueue&) = delete;
    DrawQueue& operator=(const DrawQueue&) = delete;

    // The threads that draw (null or one: all on the caller, when the queue is run).
    void SetThreads(RasterThreads* threads) { threads_ = threads; }
    bool Empty() const { return total_ == 0; }
    void Add(const Command& command);
    // Draws everything queued and returns when it is drawn; the queue is empty again.
    void Run();

private:
    static constexpr int kChunk = 128;
    struct Chunk {
        std::array<Command, kChunk> commands;
        std::array<raster::Polygon, kChunk> polygons;
        int count = 0;
        bool setUp = false;
        std::vector<std::vector<uint16_t>> bins;  // by band: the draws touching it, in order
    };

    void Publish();
    bool Task();
    bool Done();
    void SetUp(Chunk& chunk);
    void DrawBand(const Chunk& chunk, int band) const;

    RasterThreads* threads_ = nullptr;
    std::function<bool()> task_, done_;
    std::unique_ptr<Chunk> filling_;
    std::vector<std::unique_ptr<Chunk>> spare_;
    int64_t total_ = 0;
    int32_t height_ = 0, bands_ = 0;
    bool session_ = false;

    // Shared with the threads, under mutex_.
    std::mutex mutex_;
    std::vector<std::unique_ptr<Chunk>> chunks_;  // published, in call order
    int setUpNext_ = 0, ready_ = 0;               // the next chunk to set up; chunks set up in a row
    std::vector<int> bandDone_;                   // chunks each band has drawn
    std::vector<uint8_t> bandBusy_;
};

}  // namespace plm::platform
