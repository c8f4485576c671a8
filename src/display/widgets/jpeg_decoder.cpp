#include "display/widgets/jpeg_decoder.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>

#include "display/widgets/qt_picture_loader.h"

// jpeglib.h expects FILE and size_t declared before it.
// clang-format off
#include <jpeglib.h>
#if defined(__linux__)
#include <sys/mman.h>
#endif
// clang-format on

namespace vistel {

namespace {

// The byte order of QImage::Format_RGB32 (0xffRRGGBB in a 32-bit word). The alpha
// variants are asked for, rather than the X ones, because only they promise 0xff in
// the fourth byte, which Format_RGB32 requires; libjpeg-turbo fills both alike.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_ARGB;
#endif
constexpr int kRgb32Bytes = 4;

constexpr std::size_t kReadAhead = std::size_t{64} << 10;

// Rows handed to libjpeg at a time; it fills as many as its row group holds.
constexpr JDIMENSION kRowsPerCall = 16;

// libjpeg reports an error by calling error_exit, which must not return: it jumps
// back to the function that started the libjpeg call. Warnings (a file whose data
// breaks off, a bad byte here and there) are let pass, so that what decodes is shown.
struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it points to the trap
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}
void NoOutput(j_common_ptr) {}

// Feeds libjpeg from the file in pieces of kReadAhead bytes (its own file source
// reads 4 KB at a time, a call into the system for each). Where the file ends before
// the picture does, an end-of-image marker is made up: libjpeg decodes the rest as
// grey and the part that was there is shown.
struct FileSource {
    jpeg_source_mgr manager;  // first, so that libjpeg's pointer to it points to the source
    std::FILE* file;
    JOCTET* buffer;  // kReadAhead bytes from libjpeg's pool
};

void StartSource(j_decompress_ptr) {}
void EndSource(j_decompress_ptr) {}

boolean FillSource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<FileSource*>(info->src);
    std::size_t count = std::fread(source->buffer, 1, kReadAhead, source->file);
    if (count == 0) {
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = count;
    return TRUE;
}

void SkipSource(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr& manager = *info->src;
    auto left = static_cast<std::size_t>(count);
    while (left > manager.bytes_in_buffer) {
        left -= manager.bytes_in_buffer;
        FillSource(info);
    }
    manager.next_input_byte += left;
    manager.bytes_in_buffer -= left;
}

// Everything libjpeg works on, plain data only: the functions that call libjpeg set
// a jump point, and a jump back to it must not skip any destructor. Zero-filled it is
// safe to destroy whether or not libjpeg got as far as setting it up.
struct JpegSession {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    FileSource source;
};

// Sets libjpeg up on the open file, reads the header and chooses the reduction and
// the output format. False on an error or a colour model left to Qt's reader.
bool Start(JpegSession& session, QSize target) {
    session.info.err = jpeg_std_error(&session.trap.manager);
    session.trap.manager.error_exit = JumpOut;
    session.trap.manager.emit_message = IgnoreMessage;
    session.trap.manager.output_message = NoOutput;
    if (setjmp(session.trap.jump) != 0) return false;

    jpeg_create_decompress(&session.info);
    session.source.buffer = static_cast<JOCTET*>(session.info.mem->alloc_small(
        reinterpret_cast<j_common_ptr>(&session.info), JPOOL_PERMANENT, kReadAhead));
    session.source.manager.init_source = StartSource;
    session.source.manager.fill_input_buffer = FillSource;
    session.source.manager.skip_input_data = SkipSource;
    session.source.manager.resync_to_restart = jpeg_resync_to_restart;
    session.source.manager.term_source = EndSource;
    session.info.src = &session.source.manager;
    if (jpeg_read_header(&session.info, TRUE) != JPEG_HEADER_OK) return false;
    switch (session.info.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            break;
        default:  // CMYK, YCCK and models libjpeg does not name
            return false;
    }
    const QSize stored(static_cast<int>(std::min<JDIMENSION>(session.info.image_width, INT32_MAX)),
                       static_cast<int>(std::min<JDIMENSION>(session.info.image_height, INT32_MAX)));
    session.info.scale_num = 1;
    session.info.scale_denom = static_cast<unsigned>(JpegScaleDenominator(stored, target));
    session.info.out_color_space = kRgb32Order;
    session.info.dct_method = JDCT_ISLOW;
    jpeg_calc_output_dimensions(&session.info);
    return true;
}

// Decodes the rows into `bits`, one row every `bytesPerLine` bytes. False on an error.
bool ReadRows(JpegSession& session, unsigned char* bits, std::size_t bytesPerLine) {
    if (setjmp(session.trap.jump) != 0) return false;

    jpeg_start_decompress(&session.info);
    JSAMPROW rows[kRowsPerCall];
    while (session.info.output_scanline < session.info.output_height) {
        const JDIMENSION first = session.info.output_scanline;
        const JDIMENSION count = std::min(kRowsPerCall, session.info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = bits + std::size_t{first + i} * bytesPerLine;
        if (jpeg_read_scanlines(&session.info, rows, count) == 0) break;
    }
    return true;
}

// A large picture's pixels get memory of their own, marked for the kernel's huge
// pages. The 96 MB of a 24-megapixel photograph, faulted in 4 KB at a time, take
// about half as long as decoding it; 2 MB at a time, a small part of that. A smaller
// picture, and a system without huge pages, gets an ordinary image.
#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugePagesFrom = std::size_t{4} << 20;

struct Mapping {
    void* start;
    std::size_t length;
};

void Unmap(void* info) {
    const auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->start, mapping->length);
    delete mapping;
}

QImage HugePageRgb32(int width, int height) {
    const std::size_t bytesPerLine = std::size_t{static_cast<unsigned>(width)} * kRgb32Bytes;
    const std::size_t bytes = bytesPerLine * static_cast<unsigned>(height);
    const std::size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    // One huge page more than needed, so that the part kept starts on a huge page.
    void* base =
        mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return {};
    auto* const first = static_cast<unsigned char*>(base);
    const std::size_t head = (kHugePage - reinterpret_cast<std::uintptr_t>(first) % kHugePage) % kHugePage;
    unsigned char* const start = first + head;
    if (head > 0) munmap(first, head);
    munmap(start + length, kHugePage - head);
    madvise(start, length, MADV_HUGEPAGE);  // only a hint: without it the pages are just smaller
    auto* mapping = new (std::nothrow) Mapping{start, length};
    if (mapping == nullptr) {
        munmap(start, length);
        return {};
    }
    QImage image(start, width, height, static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32, Unmap,
                 mapping);
    if (image.isNull()) Unmap(mapping);
    return image;
}
#endif

QImage NewRgb32(int width, int height) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (std::size_t{static_cast<unsigned>(width)} * static_cast<unsigned>(height) * kRgb32Bytes >=
        kHugePagesFrom) {
        QImage image = HugePageRgb32(width, height);
        if (!image.isNull()) return image;
    }
#endif
    return QImage(width, height, QImage::Format_RGB32);
}

bool WithinLoaderLimits(JDIMENSION width, JDIMENSION height) {
    return width > 0 && height > 0 && width <= JDIMENSION{QtPictureLoader::kMaxSide} &&
           height <= JDIMENSION{QtPictureLoader::kMaxSide} &&
           int64_t{width} * height <= QtPictureLoader::kMaxPixels;
}

// Releases libjpeg's memory and closes the file on every way out.
class SessionEnd {
public:
    explicit SessionEnd(JpegSession& session) : session_(session) {}
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;
    ~SessionEnd() {
        jpeg_destroy_decompress(&session_.info);
        std::fclose(session_.source.file);
    }

private:
    JpegSession& session_;
};

}  // namespace

QSize JpegScaledSize(QSize picture, int denominator) {
    const auto scaled = [denominator](int side) {
        return static_cast<int>((int64_t{side} + denominator - 1) / denominator);
    };
    return QSize(scaled(picture.width()), scaled(picture.height()));
}

int JpegScaleDenominator(QSize picture, QSize target) {
    for (const int denominator : {8, 4, 2}) {
        const QSize scaled = JpegScaledSize(picture, denominator);
        if (scaled.width() >= target.width() && scaled.height() >= target.height()) return denominator;
    }
    return 1;
}

QImage DecodeJpeg(const QString& path, QSize target) {
    const QByteArray name = QFile::encodeName(path);
    std::FILE* file = std::fopen(name.constData(), "rb");
    if (file == nullptr) return {};
    JpegSession session{};
    session.source.file = file;
    const SessionEnd end(session);

    if (!Start(session, target)) return {};
    const JDIMENSION width = session.info.output_width;
    const JDIMENSION height = session.info.output_height;
    if (!WithinLoaderLimits(width, height) || session.info.output_components != kRgb32Bytes) return {};
    // Allocated here, outside the functions with a jump point; libjpeg sees only its rows.
    QImage image = NewRgb32(static_cast<int>(width), static_cast<int>(height));
    if (image.isNull()) return {};
    if (!ReadRows(session, image.bits(), static_cast<std::size_t>(image.bytesPerLine()))) return {};
    // A source that runs dry gives rows to the end, as grey; should libjpeg ever stop
    // early all the same, the rows it left are made grey too rather than left as they were.
    for (int y = static_cast<int>(session.info.output_scanline); y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row, row + image.width(), qRgb(128, 128, 128));
    }
    return image;
}

}  // namespace vistel
