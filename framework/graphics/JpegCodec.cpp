// Decoding and encoding JPEG data in memory through libjpeg.
//
// libjpeg reports fatal errors by calling error_exit, which must not return. Ours jumps back with
// longjmp to RunGuarded, the only function that calls setjmp. Every libjpeg call runs inside a
// guarded step: a plain function over raw pointers that owns nothing, so the jump skips no
// destructor. Everything that allocates or may throw runs between the steps.
#include "framework/graphics/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/JpegCoefficients.h"

namespace jpeg {
namespace {

// Working memory libjpeg may take for whole-image buffers (progressive streams); beyond it the
// image is refused instead of allocated.
constexpr long kMaxWorkingMemory = 512L << 20;
// What fits after a segment's length field.
constexpr std::size_t kMaxSegmentPayload = 65533;
// More scans than any encoder writes; hostile progressive streams use many to burn time.
constexpr int kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so that libjpeg's pointer to it is a pointer to us
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
  (*info->err->format_message)(info, reinterpret_cast<ErrorManager*>(info->err)->message);
  JumpBack(info);
}

// Warnings that mean the data is damaged: libjpeg would go on and fill the rest with grey, but
// a damaged picture must be refused as a whole.
void EmitMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
      ErrorExit(info);
    default:
      break;
  }
}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    JumpBack(info);
  }
}

// The one function that catches libjpeg's errors.
bool RunGuarded(ErrorManager& errors, void (*step)(void* context), void* context) {
  if (setjmp(errors.jump)) return false;
  step(context);
  return true;
}

[[noreturn]] void Fail(const std::string& reason) { throw EInvalidGraphic("Invalid JPEG image: " + reason); }

template <auto Step, typename Context>
void Guard(ErrorManager& errors, Context* context) {
  auto call = [](void* raw) { Step(static_cast<Context*>(raw)); };
  if (!RunGuarded(errors, call, context)) Fail(errors.message);
}

void InitErrors(ErrorManager& errors, jpeg_common_struct& info) {
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  errors.pub.emit_message = EmitMessage;
  errors.message[0] = 0;
}

class Decompressor {
 public:
  Decompressor() {
    std::memset(&info_, 0, sizeof info_);
    InitErrors(errors_, *reinterpret_cast<jpeg_common_struct*>(&info_));
    progress_.progress_monitor = LimitScans;
    Guard<Create>(errors_, &info_);
    info_.mem->max_memory_to_use = kMaxWorkingMemory;
    info_.progress = &progress_;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  ErrorManager& Errors() { return errors_; }

  Header ReadHeader(std::span<const std::uint8_t> data) {
    if (data.empty()) Fail("the data is empty");
    source_ = data;
    Guard<ReadHeaderStep>(errors_, this);
    return Header{int(info_.image_width), int(info_.image_height), info_.num_components,
                  bool(info_.progressive_mode)};
  }

 private:
  static void Create(jpeg_decompress_struct* info) { jpeg_create_decompress(info); }
  static void ReadHeaderStep(Decompressor* self) {
    jpeg_mem_src(&self->info_, self->source_.data(), static_cast<unsigned long>(self->source_.size()));
    jpeg_read_header(&self->info_, TRUE);
  }

  jpeg_decompress_struct info_;
  ErrorManager errors_;
  jpeg_progress_mgr progress_{};
  std::span<const std::uint8_t> source_;
};

// The decoding loop: rows come out top first and go to the bottom-up destination.
struct DecodeStep {
  jpeg_decompress_struct* info;
  std::uint8_t* rows;          // bottom-up destination
  std::size_t stride;
  std::uint8_t* cmykRow;       // scratch row for four-channel streams, else null
  bool invertedCmyk;           // Adobe writers store CMYK inverted

  static void CalcOutput(jpeg_decompress_struct* info) { jpeg_calc_output_dimensions(info); }

  static void Run(DecodeStep* step) {
    jpeg_decompress_struct* info = step->info;
    // A scaled decode reads only some coefficients of each block; a multi-scan one keeps just those.
    if (info->min_DCT_scaled_size < DCTSIZE) UseSmallCoefficientStore(*info, kMaxWorkingMemory);
    jpeg_start_decompress(info);
    const int height = int(info->output_height);
    auto rowAt = [step, height](int y) { return step->rows + step->stride * std::size_t(height - 1 - y); };
    while (int(info->output_scanline) < height) {
      int y = int(info->output_scanline);
      if (step->cmykRow) {
        JSAMPROW target = step->cmykRow;
        jpeg_read_scanlines(info, &target, 1);
        ConvertCmyk(step->cmykRow, rowAt(y), int(info->output_width), step->invertedCmyk);
        continue;
      }
      constexpr int kBatch = 4;
      JSAMPROW targets[kBatch];
      int count = 0;
      for (; count < kBatch && y + count < height; ++count) targets[count] = rowAt(y + count);
      jpeg_read_scanlines(info, targets, JDIMENSION(count));
    }
    jpeg_finish_decompress(info);
  }

  static void ConvertCmyk(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
      unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      bgr[0] = std::uint8_t(y * k / 255);
      bgr[1] = std::uint8_t(m * k / 255);
      bgr[2] = std::uint8_t(c * k / 255);
    }
  }
};

// A growing output buffer owned by us (libjpeg's own memory destination would leak its buffer
// when an error ends the compression half-way).
struct MemoryDestination {
  jpeg_destination_mgr pub;  // first, so that libjpeg's pointer to it is a pointer to us
  std::uint8_t* buffer = nullptr;
  std::size_t capacity = 0;

  explicit MemoryDestination(std::size_t initialCapacity) : capacity(initialCapacity) {
    pub.init_destination = Init;
    pub.empty_output_buffer = Grow;
    pub.term_destination = [](j_compress_ptr) {};
  }
  ~MemoryDestination() { std::free(buffer); }
  MemoryDestination(const MemoryDestination&) = delete;
  MemoryDestination& operator=(const MemoryDestination&) = delete;

  std::size_t Used() const { return capacity - pub.free_in_buffer; }

  static void Init(j_compress_ptr info) {
    auto* self = reinterpret_cast<MemoryDestination*>(info->dest);
    self->buffer = static_cast<std::uint8_t*>(std::malloc(self->capacity));
    if (!self->buffer) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    self->pub.next_output_byte = self->buffer;
    self->pub.free_in_buffer = self->capacity;
  }

  static boolean Grow(j_compress_ptr info) {
    auto* self = reinterpret_cast<MemoryDestination*>(info->dest);
    std::size_t used = self->capacity;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(self->buffer, self->capacity * 2));
    if (!grown) ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
    self->buffer = grown;
    self->capacity *= 2;
    self->pub.next_output_byte = grown + used;
    self->pub.free_in_buffer = self->capacity - used;
    return TRUE;
  }
};

struct EncodeStep {
  jpeg_compress_struct* info;
  const Pixels* pixels;
  int quality;
  std::span<const AppSegment> segments;

  static void Create(jpeg_compress_struct* info) { jpeg_create_compress(info); }

  static void Run(EncodeStep* step) {
    jpeg_compress_struct* info = step->info;
    const Pixels& pixels = *step->pixels;
    info->image_width = JDIMENSION(pixels.width);
    info->image_height = JDIMENSION(pixels.height);
    info->input_components = pixels.bitCount / 8;
    info->in_color_space = pixels.bitCount == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, step->quality, TRUE);
    jpeg_start_compress(info, TRUE);
    for (const AppSegment& segment : step->segments)
      jpeg_write_marker(info, segment.marker, segment.payload.data(), unsigned(segment.payload.size()));
    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (int(info->next_scanline) < pixels.height) {
      int count = 0;
      for (; count < kBatch && int(info->next_scanline) + count < pixels.height; ++count) {
        int y = int(info->next_scanline) + count;
        int stored = pixels.bottomUp ? pixels.height - 1 - y : y;
        rows[count] = const_cast<JSAMPROW>(pixels.bits + pixels.stride * std::size_t(stored));
      }
      jpeg_write_scanlines(info, rows, JDIMENSION(count));
    }
    jpeg_finish_compress(info);
  }
};

class Compressor {
 public:
  Compressor() {
    std::memset(&info_, 0, sizeof info_);
    InitErrors(errors_, *reinterpret_cast<jpeg_common_struct*>(&info_));
    Guard<EncodeStep::Create>(errors_, &info_);
  }
  ~Compressor() { jpeg_destroy_compress(&info_); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  jpeg_compress_struct& Info() { return info_; }
  ErrorManager& Errors() { return errors_; }

 private:
  jpeg_compress_struct info_;
  ErrorManager errors_;
};

}  // namespace

Header ReadHeader(std::span<const std::uint8_t> data) {
  Decompressor decompressor;
  return decompressor.ReadHeader(data);
}

int ScaledSize(int size, int eighths) { return int((std::int64_t(size) * eighths + 7) / 8); }

int ScaleToCover(const Header& header, int width, int height) {
  for (int eighths = 1; eighths < 8; ++eighths)
    if (ScaledSize(header.width, eighths) >= width && ScaledSize(header.height, eighths) >= height) return eighths;
  return 8;
}

Header Decode(std::span<const std::uint8_t> data, int eighths, const RowsAllocator& allocate) {
  Decompressor decompressor;
  Header header = decompressor.ReadHeader(data);
  jpeg_decompress_struct& info = decompressor.Info();
  info.scale_num = unsigned(eighths < 1 ? 1 : eighths > 8 ? 8 : eighths);
  info.scale_denom = 8;
  const bool fourChannels = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = fourChannels ? JCS_CMYK : JCS_EXT_BGR;
  Guard<DecodeStep::CalcOutput>(decompressor.Errors(), &info);

  const int width = int(info.output_width);
  const int height = int(info.output_height);
  if (bmp::DibStride(width, 24) * std::size_t(height) > bmp::kMaxPixelBytes)
    Fail("the image of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
         " pixels is too large");
  std::vector<std::uint8_t> cmykRow(fourChannels ? std::size_t(width) * 4 : 0);
  DecodeStep step{&info, allocate(width, height), bmp::DibStride(width, 24),
                  fourChannels ? cmykRow.data() : nullptr, bool(info.saw_Adobe_marker)};
  Guard<DecodeStep::Run>(decompressor.Errors(), &step);
  return header;
}

std::vector<std::uint8_t> Encode(const Pixels& pixels, int quality, std::span<const AppSegment> segments) {
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > JPEG_MAX_DIMENSION ||
      pixels.height > JPEG_MAX_DIMENSION)
    throw EInvalidGraphic("Cannot save a JPEG image of " + std::to_string(pixels.width) + " x " +
                          std::to_string(pixels.height) + " pixels");
  std::size_t segmentBytes = 0;
  for (const AppSegment& segment : segments) {
    if (segment.marker < JPEG_APP0 || segment.marker > JPEG_APP0 + 15 || segment.payload.size() > kMaxSegmentPayload)
      throw EInvalidGraphic("Cannot save an application segment of marker " + std::to_string(segment.marker) +
                            " and " + std::to_string(segment.payload.size()) + " bytes");
    segmentBytes += segment.payload.size() + 4;
  }
  Compressor compressor;
  // About one byte a pixel holds most photographs at high quality; the buffer doubles if not.
  MemoryDestination destination(std::size_t(pixels.width) * std::size_t(pixels.height) + segmentBytes + 16384);
  compressor.Info().dest = &destination.pub;
  EncodeStep step{&compressor.Info(), &pixels, quality < 1 ? 1 : quality > 100 ? 100 : quality, segments};
  Guard<EncodeStep::Run>(compressor.Errors(), &step);
  return std::vector<std::uint8_t>(destination.buffer, destination.buffer + destination.Used());
}

}  // namespace jpeg
