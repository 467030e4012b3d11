#pragma once
// One decoded page as a Qt picture, for the commands that write pictures.

#include <QByteArray>
#include <QImage>
#include <filesystem>
#include <string>

#include "book/book_record.h"

namespace qbbtool {

// The page as an RGB32 picture; a null picture when the page has no pixels
// or its pixel array does not match its size.
QImage PagePicture(const qb::PageImage& page);

// The picture's file in format ("PNG", "BMP"); empty when it cannot be encoded.
QByteArray EncodePicture(const QImage& picture, const char* format);

// Writes the picture to path through a file replacement, so that a failure
// (a full disk) leaves a file already there as it was and nothing new
// behind. error tells why not.
bool WritePictureFile(const std::filesystem::path& path, const QImage& picture, const char* format,
                      std::string* error);

}  // namespace qbbtool
