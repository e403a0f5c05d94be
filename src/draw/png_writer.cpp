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

#include "core/store/big_buffer.h"

namespace zarvik::draw {

namespace {

// Uncompressed bytes in a band, the unit of work of a thread.
constexpr std::size_t kBandBytes = 4 << 20;
// Uncompressed bytes drawn at once, before the bands in them are handed out. Two strips
// of pixels are all the memory a picture of any size takes: one is drawn while the other
// is deflated.
constexpr std::size_t kStripBytes = 16 << 20;
constexpr int kStripBuffers = 2;
// Uncompressed bytes deflated before zlib starts afresh. zlib slides its window and
// rewrites its whole hash table for every 32 KB it moves on, which on a large picture
// takes longer than finding the matches; a stream started afresh before the window is
// ever full never slides, at the cost of forgetting 64 KB back now and then.
constexpr std::size_t kSegmentBytes = 64000;
// Uncompressed bytes gathered before each call into zlib.
constexpr std::size_t kBatchBytes = 256 << 10;
constexpr unsigned kMaxThreads = 8;
constexpr uint32_t kAdlerBase = 65521;

// What the picture's rows hold, whichever strip they are drawn in.
struct HLayout {
    int width = 0;
    int height = 0;
    bool alpha = false;
    bool premultiplied = false;

    std::size_t RowBytes() const { return 1 + static_cast<std::size_t>(width) * (alpha ? 4 : 3); }
};

// Rows of the picture as a thread reads them: row first at bits, bytesPerLine apart.
struct HRows {
    const uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    int first = 0;

    const QRgb* Row(int y) const {
        return reinterpret_cast<const QRgb*>(bits + (y - first) * bytesPerLine);
    }
};

// R, G, B from the low byte up.
uint32_t RgbBytes(QRgb p) {
    return ((p >> 16) & 0xFFU) | (p & 0xFF00U) | ((p & 0xFFU) << 16);
}

// A row as PNG samples after the filter byte: R, G, B and, with alpha, A not premultiplied.
void PutRow(const HLayout& layout, const QRgb* row, uint8_t* out) {
    const int width = layout.width;
    if (layout.alpha) {
        for (int x = 0; x < width; ++x, out += 4) {
            const QRgb p = layout.premultiplied ? qUnpremultiply(row[x]) : row[x];
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

HBand DeflateBand(const HLayout& layout, const HRows& rows, int first, int end) {
    HBand band;
    HDeflater deflater;
    const std::size_t rowBytes = layout.RowBytes();
    const std::size_t rowsPerBatch = std::max<std::size_t>(1, kBatchBytes / rowBytes);
    std::vector<uint8_t> batch(rowsPerBatch * rowBytes);
    for (int y = first; y < end;) {
        std::size_t filled = 0;
        for (std::size_t r = 0; r < rowsPerBatch && y < end; ++r, ++y, filled += rowBytes) {
            batch[filled] = 0;  // no filter
            PutRow(layout, rows.Row(y), &batch[filled + 1]);
        }
        band.adler = Adler32(band.adler, batch.data(), filled);
        band.length += filled;
        deflater.Deflate(batch.data(), filled, y == layout.height, band.deflated);
    }
    return band;
}

// The strips the picture is drawn in, taking turns: strip s in buffer s % kStripBuffers.
class HStripRing {
public:
    HStripRing(const HLayout& layout, QImage::Format format, int stripRows)
        : m_stripRows(stripRows),
          m_bytesPerLine(static_cast<qsizetype>(layout.width) * 4),
          m_width(layout.width),
          m_height(layout.height),
          m_format(format) {
        const int buffers = std::min(kStripBuffers, (layout.height + stripRows - 1) / stripRows);
        const int rows = std::min(stripRows, layout.height);
        for (int i = 0; i < buffers; ++i) {
            // Taken straight from the system in huge pages, as a fresh 4 KB page costs a
            // fault of its own.
            m_buffers.emplace_back(static_cast<std::size_t>(m_bytesPerLine) *
                                   static_cast<std::size_t>(rows));
        }
    }

    int StripCount() const { return (m_height + m_stripRows - 1) / m_stripRows; }
    int StripStart(int strip) const { return std::min(strip * m_stripRows, m_height); }
    // The image strip is drawn in, as tall as the rows it holds, over its buffer.
    QImage Image(int strip) {
        return QImage(reinterpret_cast<uchar*>(Buffer(strip).data()), m_width,
                      StripStart(strip + 1) - StripStart(strip), m_bytesPerLine, m_format);
    }
    HRows Rows(int strip) const {
        return {reinterpret_cast<const uchar*>(Buffer(strip).data()), m_bytesPerLine,
                StripStart(strip)};
    }

private:
    const HBigBuffer& Buffer(int strip) const {
        return m_buffers[static_cast<std::size_t>(strip % kStripBuffers)];
    }
    HBigBuffer& Buffer(int strip) {
        return m_buffers[static_cast<std::size_t>(strip % kStripBuffers)];
    }

    const int m_stripRows;
    const qsizetype m_bytesPerLine;
    const int m_width;
    const int m_height;
    const QImage::Format m_format;
    std::vector<HBigBuffer> m_buffers;
};

// The bands, handed out to the threads as the rows in them are drawn.
class HBandWork {
public:
    HBandWork(const HLayout& layout, const HStripRing& ring, int bandRows, int stripBands)
        : m_layout(layout),
          m_ring(ring),
          m_bandRows(bandRows),
          m_stripBands(stripBands),
          m_bands(static_cast<std::size_t>((layout.height + bandRows - 1) / bandRows)),
          m_deflated(static_cast<std::size_t>(ring.StripCount()), 0) {}

    int BandCount() const { return static_cast<int>(m_bands.size()); }

    // The bands of strips before end are drawn.
    void Drawn(int endStrip) {
        const std::lock_guard lock(m_mutex);
        m_drawn = std::min(endStrip * m_stripBands, BandCount());
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
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_ready.wait(lock, [&] { return m_stop || m_next < m_drawn || m_next == BandCount(); });
            if (m_stop || m_next == BandCount() || !DeflateNext(lock)) {
                return;
            }
        }
    }

    // Deflates drawn bands until every band of strip is deflated, so that its buffer can
    // take the next strip. False when the work stopped.
    bool WaitForStrip(int strip) {
        std::unique_lock lock(m_mutex);
        for (;;) {
            const int bands = std::min(m_stripBands, BandCount() - strip * m_stripBands);
            if (m_stop) {
                return false;
            }
            if (m_deflated[static_cast<std::size_t>(strip)] == bands) {
                return true;
            }
            if (m_next < m_drawn) {
                if (!DeflateNext(lock)) {
                    return false;
                }
            } else {
                m_ready.wait(lock);
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
    int BandStart(int band) const { return std::min(band * m_bandRows, m_layout.height); }

    // Takes the next drawn band and deflates it with the lock let go. False on a failure.
    bool DeflateNext(std::unique_lock<std::mutex>& lock) {
        const int band = m_next++;
        const int strip = band / m_stripBands;
        lock.unlock();
        try {
            m_bands[static_cast<std::size_t>(band)] =
                DeflateBand(m_layout, m_ring.Rows(strip), BandStart(band), BandStart(band + 1));
        } catch (...) {
            lock.lock();
            if (!m_failure) {
                m_failure = std::current_exception();
            }
            m_stop = true;
            m_ready.notify_all();
            return false;
        }
        lock.lock();
        ++m_deflated[static_cast<std::size_t>(strip)];
        m_ready.notify_all();
        return true;
    }

    const HLayout& m_layout;
    const HStripRing& m_ring;
    const int m_bandRows;
    const int m_stripBands;
    std::vector<HBand> m_bands;
    std::vector<int> m_deflated;  // bands deflated, by strip
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

std::vector<HBand> DeflatePicture(const HLayout& layout, QImage::Format format,
                                  const HDrawStrip& draw) {
    const std::size_t rowBytes = layout.RowBytes();
    const int bandRows = static_cast<int>(std::max<std::size_t>(1, kBandBytes / rowBytes));
    const int stripBands = static_cast<int>(std::max<std::size_t>(1, kStripBytes / kBandBytes));
    HStripRing ring(layout, format, bandRows * stripBands);
    HBandWork work(layout, ring, bandRows, stripBands);
    const unsigned helpers = std::min({std::max(std::thread::hardware_concurrency(), 1U),
                                       kMaxThreads, static_cast<unsigned>(work.BandCount())}) -
                             1;
    {
        HHelpers threads(work, helpers);
        for (int strip = 0; strip < ring.StripCount(); ++strip) {
            if (strip >= kStripBuffers && !work.WaitForStrip(strip - kStripBuffers)) {
                break;  // a thread failed: Take says how
            }
            QImage image = ring.Image(strip);
            draw(image, ring.StripStart(strip));
            work.Drawn(strip + 1);
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

QByteArray WritePng(QSize size, QImage::Format format, const HDrawStrip& draw) {
    if (size.isEmpty()) {
        return {};
    }
    const HLayout layout{size.width(), size.height(), format != QImage::Format_RGB32,
                         format == QImage::Format_ARGB32_Premultiplied};
    std::vector<HBand> bands = DeflatePicture(layout, format, draw);

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
    qsizetype fileSize = 8 + 25 + 12;
    for (const HBand& band : bands) {
        fileSize += static_cast<qsizetype>(band.deflated.size()) + 12;
    }
    file.reserve(fileSize);
    file.append("\x89PNG\r\n\x1A\n", 8);
    char header[13] = {};
    qToBigEndian(static_cast<uint32_t>(layout.width), header);
    qToBigEndian(static_cast<uint32_t>(layout.height), header + 4);
    header[8] = 8;                     // bits per sample
    header[9] = layout.alpha ? 6 : 2;  // RGBA or RGB; deflate, no filter, no interlace
    PutChunk(file, "IHDR", header, sizeof header);
    // A band is at most a few megabytes, far below a chunk's limit.
    for (const HBand& band : bands) {
        PutChunk(file, "IDAT", band.deflated.data(), band.deflated.size());
    }
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}

QByteArray WritePng(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        return WritePng(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                      : QImage::Format_RGB32));
    }
    return WritePng(image.size(), format, [&](QImage& strip, int first) {
        for (int y = 0; y < strip.height(); ++y) {
            std::memcpy(strip.scanLine(y), image.constScanLine(first + y),
                        static_cast<std::size_t>(image.width()) * 4);
        }
    });
}

}  // namespace zarvik::draw
