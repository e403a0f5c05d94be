#include "draw/png_writer.h"

#include <zlib.h>

#include <QtEndian>
#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace zarvik::draw {

namespace {

// Uncompressed bytes in a band, the unit of work of a thread.
constexpr std::size_t kBandBytes = 4 << 20;
// Uncompressed bytes drawn at once, before the bands in them are handed out.
constexpr std::size_t kStripBytes = 48 << 20;
// Uncompressed bytes deflated before zlib starts afresh. zlib slides its window and
// rewrites its whole hash table for every 32 KB it moves on, which on a large picture
// takes longer than finding the matches; a stream started afresh before the window is
// ever full never slides, at the cost of forgetting 64 KB back now and then.
constexpr std::size_t kSegmentBytes = 64000;
// Uncompressed bytes gathered before each call into zlib.
constexpr std::size_t kBatchBytes = 256 << 10;
constexpr unsigned kMaxThreads = 8;
constexpr uint32_t kAdlerBase = 65521;

// The image's pixels as the threads read them, without touching the QImage being drawn.
struct HPixels {
    const uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    int width = 0;
    int height = 0;
    bool alpha = false;
    bool premultiplied = false;

    std::size_t RowBytes() const { return 1 + static_cast<std::size_t>(width) * (alpha ? 4 : 3); }
    const QRgb* Row(int y) const { return reinterpret_cast<const QRgb*>(bits + y * bytesPerLine); }
};

// R, G, B from the low byte up.
uint32_t RgbBytes(QRgb p) {
    return ((p >> 16) & 0xFFU) | (p & 0xFF00U) | ((p & 0xFFU) << 16);
}

// Row y as PNG samples after the filter byte: R, G, B and, with alpha, A not premultiplied.
void PutRow(const HPixels& pixels, int y, uint8_t* out) {
    const QRgb* row = pixels.Row(y);
    const int width = pixels.width;
    if (pixels.alpha) {
        for (int x = 0; x < width; ++x, out += 4) {
            const QRgb p = pixels.premultiplied ? qUnpremultiply(row[x]) : row[x];
            qToLittleEndian(RgbBytes(p) | (p & 0xFF000000U), out);
        }
        return;
    }
    // A byte at a time, which the compiler turns into vector shuffles.
    for (int x = 0; x < width; ++x) {
        const QRgb p = row[x];
        out[3 * x] = static_cast<uint8_t>(p >> 16);
        out[3 * x + 1] = static_cast<uint8_t>(p >> 8);
        out[3 * x + 2] = static_cast<uint8_t>(p);
    }
}

// zlib's checksum of data continued from adler, written so that the compiler can keep 32
// lanes in vector registers: several times quicker than zlib's own.
uint32_t Adler32(uint32_t adler, const uint8_t* data, std::size_t size) {
    constexpr std::size_t kLanes = 32;
    // Blocks summed before a lane could overflow.
    constexpr std::size_t kBlocks = 4096;
    uint64_t a = adler & 0xFFFF;
    uint64_t b = adler >> 16;
    while (size >= kLanes) {
        const std::size_t blocks = std::min(size / kLanes, kBlocks);
        std::array<uint32_t, kLanes> sums{};
        std::array<uint32_t, kLanes> before{};
        for (std::size_t i = 0; i < blocks; ++i, data += kLanes) {
            for (std::size_t j = 0; j < kLanes; ++j) {
                before[j] += sums[j];
                sums[j] += data[j];
            }
        }
        uint64_t sum = 0;
        uint64_t weighted = 0;
        uint64_t earlier = 0;
        for (std::size_t j = 0; j < kLanes; ++j) {
            sum += sums[j];
            weighted += (kLanes - j) * sums[j];
            earlier += before[j];
        }
        b = (b + blocks * kLanes * a + kLanes * earlier + weighted) % kAdlerBase;
        a = (a + sum) % kAdlerBase;
        size -= blocks * kLanes;
    }
    for (; size > 0; --size, ++data) {
        a += *data;
        b += a;
    }
    return static_cast<uint32_t>(((b % kAdlerBase) << 16) | (a % kAdlerBase));
}

// A band of rows deflated as a part of the stream that ends on a byte boundary, or
// finishes the stream for the last band: the bands laid end to end make the whole stream.
struct HBand {
    std::string deflated;
    uint32_t adler = 1;
    std::size_t length = 0;
};

class HDeflater {
public:
    HDeflater() {
        if (deflateInit2(&m_z, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    ~HDeflater() { deflateEnd(&m_z); }
    HDeflater(const HDeflater&) = delete;
    HDeflater& operator=(const HDeflater&) = delete;

    // Deflates data onto out in segments, the last finishing the stream when finish.
    void Deflate(const uint8_t* data, std::size_t size, bool finish, std::string& out) {
        for (std::size_t at = 0; at < size; at += kSegmentBytes) {
            const std::size_t n = std::min(kSegmentBytes, size - at);
            const int flush = finish && at + n == size ? Z_FINISH : Z_SYNC_FLUSH;
            m_z.next_in = const_cast<uint8_t*>(data + at);
            m_z.avail_in = static_cast<uInt>(n);
            do {
                m_z.next_out = m_out.data();
                m_z.avail_out = static_cast<uInt>(m_out.size());
                deflate(&m_z, flush);
                out.append(reinterpret_cast<const char*>(m_out.data()),
                           m_out.size() - m_z.avail_out);
            } while (m_z.avail_out == 0);
            if (flush == Z_SYNC_FLUSH) {
                deflateReset(&m_z);
            }
        }
    }

private:
    z_stream m_z{};
    std::vector<uint8_t> m_out = std::vector<uint8_t>(64 << 10);
};

HBand DeflateBand(const HPixels& pixels, int first, int end) {
    HBand band;
    HDeflater deflater;
    const std::size_t rowBytes = pixels.RowBytes();
    const std::size_t rowsPerBatch = std::max<std::size_t>(1, kBatchBytes / rowBytes);
    std::vector<uint8_t> batch(rowsPerBatch * rowBytes);
    for (int y = first; y < end;) {
        std::size_t filled = 0;
        for (std::size_t r = 0; r < rowsPerBatch && y < end; ++r, ++y, filled += rowBytes) {
            batch[filled] = 0;  // no filter
            PutRow(pixels, y, &batch[filled + 1]);
        }
        band.adler = Adler32(band.adler, batch.data(), filled);
        band.length += filled;
        deflater.Deflate(batch.data(), filled, y == pixels.height, band.deflated);
    }
    return band;
}

// The bands, handed out to the threads as the rows in them are drawn.
class HBandWork {
public:
    HBandWork(const HPixels& pixels, int bandRows)
        : m_pixels(pixels),
          m_bandRows(bandRows),
          m_bands(static_cast<std::size_t>((pixels.height + bandRows - 1) / bandRows)) {}

    int BandCount() const { return static_cast<int>(m_bands.size()); }
    int BandStart(int band) const { return std::min(band * m_bandRows, m_pixels.height); }

    // The bands before end are drawn.
    void Drawn(int end) {
        const std::lock_guard lock(m_mutex);
        m_drawn = end;
        m_ready.notify_all();
    }
    // No band is to be started any more.
    void Stop() {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_ready.notify_all();
    }

    // Deflates the bands as they are drawn until none is left.
    void Run() {
        for (;;) {
            int band = 0;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock,
                             [&] { return m_stop || m_next < m_drawn || m_next == BandCount(); });
                if (m_stop || m_next == BandCount()) {
                    return;
                }
                band = m_next++;
            }
            try {
                m_bands[static_cast<std::size_t>(band)] =
                    DeflateBand(m_pixels, BandStart(band), BandStart(band + 1));
            } catch (...) {
                const std::lock_guard lock(m_mutex);
                if (!m_failure) {
                    m_failure = std::current_exception();
                }
                m_stop = true;
                m_ready.notify_all();
                return;
            }
        }
    }

    // The bands once every thread has returned, or the first failure thrown.
    std::vector<HBand> Take() {
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
        return std::move(m_bands);
    }

private:
    const HPixels& m_pixels;
    const int m_bandRows;
    std::vector<HBand> m_bands;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    int m_drawn = 0;
    int m_next = 0;
    bool m_stop = false;
    std::exception_ptr m_failure;
};

// Threads deflating the bands beside the calling one, stopped and joined when it leaves.
class HHelpers {
public:
    HHelpers(HBandWork& work, unsigned count) : m_work(work) {
        m_threads.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            try {
                m_threads.emplace_back([&work] { work.Run(); });
            } catch (const std::system_error&) {
                break;  // the system has no more threads to give: fewer do the work
            }
        }
    }
    ~HHelpers() {
        m_work.Stop();
        for (std::thread& thread : m_threads) {
            thread.join();
        }
    }
    HHelpers(const HHelpers&) = delete;
    HHelpers& operator=(const HHelpers&) = delete;

private:
    HBandWork& m_work;
    std::vector<std::thread> m_threads;
};

std::vector<HBand> DeflateImage(const HPixels& pixels, const HDrawRows& drawRows) {
    const std::size_t rowBytes = pixels.RowBytes();
    const int bandRows = static_cast<int>(std::max<std::size_t>(1, kBandBytes / rowBytes));
    HBandWork work(pixels, bandRows);
    const int stripBands = static_cast<int>(std::max<std::size_t>(1, kStripBytes / kBandBytes));
    const unsigned helpers = std::min({std::max(std::thread::hardware_concurrency(), 1U),
                                       kMaxThreads, static_cast<unsigned>(work.BandCount())}) -
                             1;
    {
        HHelpers threads(work, helpers);
        for (int band = 0; band < work.BandCount(); band += stripBands) {
            const int end = std::min(band + stripBands, work.BandCount());
            if (drawRows) {
                drawRows(work.BandStart(band), work.BandStart(end));
            }
            work.Drawn(end);
        }
        work.Run();
    }
    return work.Take();
}

void PutChunk(QByteArray& file, const char* type, const char* data, std::size_t size) {
    char head[8];
    qToBigEndian(static_cast<uint32_t>(size), head);
    std::memcpy(head + 4, type, 4);
    file.append(head, 8);
    file.append(data, static_cast<qsizetype>(size));
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) {  // zlib takes a null pointer as asking for the starting value
        crc = crc32_z(crc, reinterpret_cast<const Bytef*>(data), size);
    }
    char tail[4];
    qToBigEndian(static_cast<uint32_t>(crc), tail);
    file.append(tail, 4);
}

}  // namespace

QByteArray WritePng(const QImage& image, const HDrawRows& drawRows) {
    if (image.isNull()) {
        return {};
    }
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        Q_ASSERT(!drawRows);
        return WritePng(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                      : QImage::Format_RGB32));
    }
    const HPixels pixels{image.constBits(),
                         image.bytesPerLine(),
                         image.width(),
                         image.height(),
                         format != QImage::Format_RGB32,
                         format == QImage::Format_ARGB32_Premultiplied};
    std::vector<HBand> bands = DeflateImage(pixels, drawRows);

    // The zlib stream: a header for a 32 KB window at the quickest level, the bands, and
    // the checksum of all the rows.
    uint32_t adler = bands.front().adler;
    for (std::size_t b = 1; b < bands.size(); ++b) {
        adler = static_cast<uint32_t>(
            adler32_combine(adler, bands[b].adler, static_cast<z_off_t>(bands[b].length)));
    }
    bands.front().deflated.insert(0, "\x78\x01", 2);
    char checksum[4];
    qToBigEndian(adler, checksum);
    bands.back().deflated.append(checksum, 4);

    QByteArray file;
    qsizetype size = 8 + 25 + 12;
    for (const HBand& band : bands) {
        size += static_cast<qsizetype>(band.deflated.size()) + 12;
    }
    file.reserve(size);
    file.append("\x89PNG\r\n\x1A\n", 8);
    char header[13] = {};
    qToBigEndian(static_cast<uint32_t>(pixels.width), header);
    qToBigEndian(static_cast<uint32_t>(pixels.height), header + 4);
    header[8] = 8;                     // bits per sample
    header[9] = pixels.alpha ? 6 : 2;  // RGBA or RGB; deflate, no filter, no interlace
    PutChunk(file, "IHDR", header, sizeof header);
    // A band is at most a few megabytes, far below a chunk's limit.
    for (const HBand& band : bands) {
        PutChunk(file, "IDAT", band.deflated.data(), band.deflated.size());
    }
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}

}  // namespace zarvik::draw
