// The small coefficient store. libjpeg asks its memory manager for one block array per component
// (request), makes them all at once (realize) and then works on strips of block rows (access):
// the entropy decoder on the rows of one iMCU row at a time, scan after scan, writing; the output
// pass on the same rows, reading. The store unpacks a strip on access and packs it back when
// another is asked for. Everything lives in libjpeg's image pool and goes with it.
//
// Called from inside libjpeg, so errors leave through its error manager (a longjmp): nothing here
// owns anything a jump could skip.
#include "framework/graphics/JpegCoefficients.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>
#include <new>

#include <jerror.h>

namespace jpeg {
namespace {

// The position in the block (row * 8 + column) of each coefficient in the order of the stream.
constexpr std::uint8_t kNaturalOrder[DCTSIZE2] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// What a coefficient that is not kept but nonzero reads as while a scan decodes: any nonzero
// value does, and refinements add at most 2^13 to it.
constexpr JCOEF kNonzero = 1 << 14;

// The rows (and the same columns) of a block that libjpeg's inverse DCT of `scaledSize` points
// reads: its 2- and 4-point transforms skip the even lines that cancel out, the 3-, 5-, 6- and
// 7-point ones read the first lines, the 8-point one all.
unsigned LinesRead(int scaledSize) {
  switch (scaledSize) {
    case 1: return 0b00000001;
    case 2: return 0b10101011;  // 0, 1, 3, 5, 7
    case 3:
    case 5:
    case 6:
    case 7: return (1u << scaledSize) - 1;
    case 4: return 0b11101111;  // all but 4
    default: return 0xFF;
  }
}

constexpr std::uint64_t kAllPositions = ~std::uint64_t{0};

std::uint64_t PositionsRead(int scaledSize) {
  const unsigned lines = LinesRead(scaledSize);
  std::uint64_t positions = 0;
  for (int row = 0; row < DCTSIZE; ++row)
    for (int column = 0; column < DCTSIZE; ++column)
      if ((lines >> row & 1) && (lines >> column & 1)) positions |= std::uint64_t{1} << (row * DCTSIZE + column);
  return positions;
}

// The positions of the band a strip holds for writing: those whose values are kept (and where),
// and those of which only whether they are nonzero is.
struct Band {
  int first = 0;
  int last = 0;
  int keptCount = 0;
  std::uint8_t keptPosition[DCTSIZE2] = {};
  std::uint8_t keptSlot[DCTSIZE2] = {};
  std::uint64_t unkept = 0;
};

// The positions of a block whose coefficients are nonzero.
std::uint64_t NonzeroPositions(const JCOEF* block) {
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t positions = 0;
  for (int row = 0; row < DCTSIZE; ++row) {
    const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + row * DCTSIZE));
    const __m128i zeros = _mm_cmpeq_epi16(values, zero);
    const unsigned zeroBytes = unsigned(_mm_movemask_epi8(_mm_packs_epi16(zeros, zeros))) & 0xFF;
    positions |= std::uint64_t(~zeroBytes & 0xFF) << (row * DCTSIZE);
  }
  return positions;
}

struct BlockArray {
  BlockArray* next = nullptr;
  JDIMENSION blocksPerRow = 0;
  JDIMENSION rows = 0;
  JDIMENSION maxAccess = 0;
  int keptCount = 0;
  std::int8_t slot[DCTSIZE2] = {};          // by position: the index among the kept ones, or -1
  std::uint8_t keptPosition[DCTSIZE2] = {}; // by index: the position
  JCOEF* values = nullptr;                  // keptCount a block
  std::uint64_t* nonzero = nullptr;         // a block: the positions not kept that are nonzero
  JBLOCKARRAY strip = nullptr;              // maxAccess rows
  // The strip unpacked: its rows, whether for writing, and the band of positions it holds.
  bool loaded = false;
  bool writable = false;
  bool dirty = false;
  JDIMENSION stripStart = 0;
  JDIMENSION stripRows = 0;
  Band band;

  std::size_t Blocks() const { return std::size_t(blocksPerRow) * rows; }
  bool KeepsAll() const { return keptCount == DCTSIZE2; }
};

struct Store {
  std::size_t maxBytes = 0;
  std::size_t bytes = 0;
  int requests = 0;
  BlockArray* arrays = nullptr;
  void (*realizeOthers)(j_common_ptr) = nullptr;
};

Store& StoreOf(j_common_ptr info) { return *static_cast<Store*>(info->client_data); }

JDIMENSION RoundUp(JDIMENSION value, int multiple) {
  return multiple > 0 ? (value + JDIMENSION(multiple) - 1) / JDIMENSION(multiple) * JDIMENSION(multiple) : value;
}

// The positions the component of this array draws from: requests come one per component, in
// order; an array that does not match its component keeps everything.
std::uint64_t KeptPositions(j_decompress_ptr info, int request, JDIMENSION blocksPerRow, JDIMENSION rows) {
  if (request >= info->num_components) return kAllPositions;
  const jpeg_component_info& component = info->comp_info[request];
  if (blocksPerRow != RoundUp(component.width_in_blocks, component.h_samp_factor) ||
      rows != RoundUp(component.height_in_blocks, component.v_samp_factor))
    return kAllPositions;
  return PositionsRead(component.DCT_scaled_size);
}

jvirt_barray_ptr Request(j_common_ptr info, int pool, boolean, JDIMENSION blocksPerRow, JDIMENSION rows,
                         JDIMENSION maxAccess) {
  if (pool != JPOOL_IMAGE) ERREXIT1(info, JERR_BAD_POOL_ID, pool);
  Store& store = StoreOf(info);
  void* memory = (*info->mem->alloc_small)(info, JPOOL_IMAGE, sizeof(BlockArray));
  auto* array = new (memory) BlockArray;
  array->blocksPerRow = blocksPerRow;
  array->rows = rows;
  array->maxAccess = maxAccess;
  const std::uint64_t kept =
      KeptPositions(reinterpret_cast<j_decompress_ptr>(info), store.requests++, blocksPerRow, rows);
  for (int position = 0; position < DCTSIZE2; ++position) {
    array->slot[position] = -1;
    if (kept >> position & 1) {
      array->slot[position] = std::int8_t(array->keptCount);
      array->keptPosition[array->keptCount++] = std::uint8_t(position);
    }
  }
  array->next = store.arrays;
  store.arrays = array;
  return reinterpret_cast<jvirt_barray_ptr>(array);
}

void* AllocateZeroed(j_common_ptr info, std::size_t bytes) {
  void* memory = (*info->mem->alloc_large)(info, JPOOL_IMAGE, bytes);
  std::memset(memory, 0, bytes);
  return memory;
}

void Realize(j_common_ptr info) {
  Store& store = StoreOf(info);
  for (BlockArray* array = store.arrays; array; array = array->next) {
    if (array->values) continue;
    const std::size_t blocks = array->Blocks();
    const std::size_t valueBytes = blocks * std::size_t(array->keptCount) * sizeof(JCOEF);
    const std::size_t nonzeroBytes = array->KeepsAll() ? 0 : blocks * sizeof(std::uint64_t);
    const std::size_t stripBytes = std::size_t(array->blocksPerRow) * array->maxAccess * sizeof(JBLOCK);
    store.bytes += valueBytes + nonzeroBytes + stripBytes;
    if (store.bytes > store.maxBytes) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    array->values = static_cast<JCOEF*>(AllocateZeroed(info, valueBytes));
    if (nonzeroBytes) array->nonzero = static_cast<std::uint64_t*>(AllocateZeroed(info, nonzeroBytes));
    array->strip = (*info->mem->alloc_barray)(info, JPOOL_IMAGE, array->blocksPerRow, array->maxAccess);
  }
  store.realizeOthers(info);
}

// Packs the strip's band back into the array.
void Pack(BlockArray& array) {
  if (!array.dirty) return;
  array.dirty = false;
  const Band& band = array.band;
  for (JDIMENSION row = 0; row < array.stripRows; ++row) {
    const std::size_t first = std::size_t(array.stripStart + row) * array.blocksPerRow;
    const JBLOCKROW blocks = array.strip[row];
    for (JDIMENSION b = 0; b < array.blocksPerRow; ++b) {
      const JCOEF* block = blocks[b];
      JCOEF* values = array.values + (first + b) * std::size_t(array.keptCount);
      for (int i = 0; i < band.keptCount; ++i) values[band.keptSlot[i]] = block[band.keptPosition[i]];
      if (band.unkept) {
        std::uint64_t& nonzero = array.nonzero[first + b];
        nonzero = (nonzero & ~band.unkept) | (NonzeroPositions(block) & band.unkept);
      }
    }
  }
}

// The band of zigzag indexes first..last of the array's positions.
Band BandOf(const BlockArray& array, int first, int last) {
  Band band;
  band.first = first;
  band.last = last;
  for (int k = first; k <= last; ++k) {
    const int position = kNaturalOrder[k];
    if (array.slot[position] >= 0) {
      band.keptPosition[band.keptCount] = std::uint8_t(position);
      band.keptSlot[band.keptCount++] = std::uint8_t(array.slot[position]);
    } else {
      band.unkept |= std::uint64_t{1} << position;
    }
  }
  return band;
}

// Unpacks rows of the array into the strip: for reading, whole blocks with zeros where nothing is
// kept; for writing, the positions of the scan's band (the entropy decoder touches no others).
void Unpack(BlockArray& array, JDIMENSION start, JDIMENSION count, bool writable, int first, int last) {
  array.loaded = true;
  array.writable = writable;
  array.stripStart = start;
  array.stripRows = count;
  array.band = BandOf(array, first, last);
  const Band& band = array.band;
  for (JDIMENSION row = 0; row < count; ++row) {
    const std::size_t firstBlock = std::size_t(start + row) * array.blocksPerRow;
    const JBLOCKROW blocks = array.strip[row];
    for (JDIMENSION b = 0; b < array.blocksPerRow; ++b) {
      const JCOEF* values = array.values + (firstBlock + b) * std::size_t(array.keptCount);
      JCOEF* block = blocks[b];
      std::memset(block, 0, sizeof(JBLOCK));
      if (!writable) {
        for (int i = 0; i < array.keptCount; ++i) block[array.keptPosition[i]] = values[i];
        continue;
      }
      for (int i = 0; i < band.keptCount; ++i) block[band.keptPosition[i]] = values[band.keptSlot[i]];
      for (std::uint64_t nonzero = band.unkept ? array.nonzero[firstBlock + b] & band.unkept : 0; nonzero;
           nonzero &= nonzero - 1)
        block[__builtin_ctzll(nonzero)] = kNonzero;
    }
  }
}

JBLOCKARRAY Access(j_common_ptr info, jvirt_barray_ptr handle, JDIMENSION start, JDIMENSION count,
                   boolean writable) {
  BlockArray& array = *reinterpret_cast<BlockArray*>(handle);
  if (!array.values || count > array.maxAccess || start > array.rows || count > array.rows - start)
    ERREXIT(info, JERR_BAD_VIRTUAL_ACCESS);
  // A progressive scan decodes one band of positions; a sequential one all of them.
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  int first = 0, last = DCTSIZE2 - 1;
  if (writable && decompress->progressive_mode && decompress->Ss >= 0 && decompress->Ss <= decompress->Se &&
      decompress->Se < DCTSIZE2)
    first = decompress->Ss, last = decompress->Se;
  const bool same = array.loaded && array.stripStart == start && array.stripRows == count &&
                    array.writable == bool(writable) && array.band.first == first && array.band.last == last;
  if (!same) {
    Pack(array);
    Unpack(array, start, count, writable, first, last);
  }
  if (writable) array.dirty = true;
  return array.strip;
}

}  // namespace

void UseSmallCoefficientStore(jpeg_decompress_struct& info, std::size_t maxBytes) {
  auto* common = reinterpret_cast<j_common_ptr>(&info);
  void* memory = (*info.mem->alloc_small)(common, JPOOL_IMAGE, sizeof(Store));
  auto* store = new (memory) Store;
  store->maxBytes = maxBytes;
  store->realizeOthers = info.mem->realize_virt_arrays;
  info.client_data = store;
  info.mem->request_virt_barray = Request;
  info.mem->realize_virt_arrays = Realize;
  info.mem->access_virt_barray = Access;
  info.do_block_smoothing = FALSE;
}

}  // namespace jpeg
