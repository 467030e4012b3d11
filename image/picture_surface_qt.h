#pragma once
// The hidden picture ("PicLoad") on Qt: the Editor loads each page picture
// into it for the preview and the book writer.

#include <QImage>

#include "book/book_record.h"
#include "book/picture_surface.h"

namespace qb {

class QtPictureSurface : public PictureSurface {
 public:
  Outcome LoadPicture(const std::u16string& path) override;
  // The same for a picture file's contents already in memory (an archive
  // entry); the reason then does not name a file.
  Outcome LoadPictureData(const QByteArray& data);
  int Width() const override;
  int Height() const override;
  std::int32_t PictureToPixels(PixelArray& pixels) const override;
  // Row by row straight from the picture, without a copy of the page.
  bool StreamPixels(const PixelSink& sink) const override;

  const QImage& image() const { return picture_; }
  // Drops the picture, so that the next one is not decoded beside it: for
  // a writer that keeps nothing of a failed load.
  void Clear() { picture_ = QImage(); }

 private:
  QImage picture_;
};

}  // namespace qb
