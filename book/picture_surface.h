#pragma once
// What the writer needs from a picture surface: load a page picture at its
// natural pixel size and hand over its pixels. The Qt implementation lives in
// image/; keeping the interface here lets the book code stay free of Qt.

#include <cstdint>
#include <functional>
#include <string>

#include "book/book_record.h"
#include "common/outcome.h"

namespace qb {

class PictureSurface {
 public:
  virtual ~PictureSurface() = default;

  // Loads the picture file; the surface takes the picture's size. On failure
  // the surface keeps what it held.
  virtual Outcome LoadPicture(const std::u16string& path) = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // The surface's pixels in pixel-array order: Width() x Height() + 1
  // elements. Returns Width() x Height(), or -1 when nothing could be copied.
  virtual std::int32_t PictureToPixels(PixelArray& pixels) const = 0;

  // Receives the surface's pixels a run at a time; returns false to stop.
  using PixelSink = std::function<bool(const std::uint32_t* pixels, std::size_t count)>;
  // Hands the surface's Width() x Height() pixels to sink in pixel-array
  // order (bottom row first), in runs of whole rows; the top byte of each
  // value is ignored. False when they cannot be read or the sink stopped.
  // The default takes them all at once through PictureToPixels; a surface
  // that holds its rows can pass them on without the page-sized copy.
  virtual bool StreamPixels(const PixelSink& sink) const;
};

}  // namespace qb
