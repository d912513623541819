/// @file
/// The whole-image coefficient buffers of a multi-scan (progressive) decode, kept small.
///
/// libjpeg keeps all 64 coefficients of every block of a progressive image until its last scan:
/// 72 MB for a 24-megapixel photo, whatever the scale it is decoded at. A scaled inverse DCT reads
/// only some of them (the one-eighth scale only the first), so this store keeps only those, and of
/// the others only whether each is nonzero, which is all the entropy decoder's refinement scans
/// ask of them. One eighth of that photo then takes 6 MB and two eighths 42 MB.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace jpeg {

/// Part of jpeg::Decode's implementation; not for use on its own.
///
/// Replaces the block-array methods of `info`'s memory manager with the store, for one decode
/// whose output dimensions are calculated and that has not started yet. Block smoothing, which
/// reads coefficients the scaled transform does not, is turned off. The store refuses (as libjpeg
/// does, through the error manager) to take more than `maxBytes` for the arrays. Takes
/// info.client_data.
void UseSmallCoefficientStore(jpeg_decompress_struct& info, std::size_t maxBytes);

}  // namespace jpeg
